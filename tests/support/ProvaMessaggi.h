#pragma once

#include "common/ui/Messaggi.h"
#include "support/Sostituto.h"

#include <QList>
#include <QQueue>

// While one exists, no box is shown: each is recorded, and questions take the
// queued answers in order (the box's default button when the queue is empty).
class ProvaMessaggi final : public Sostituto<Messaggi::Schermo, &Messaggi::sostituisci>
{
public:
    void rispondi(Messaggi::Risposta risposta) { m_risposte.enqueue(risposta); }
    const QList<Messaggi::Mostrato>& mostrati() const { return m_mostrati; }
    // The last box shown; an empty record when none was.
    Messaggi::Mostrato ultimo() const
    {
        return m_mostrati.isEmpty() ? Messaggi::Mostrato{} : m_mostrati.last();
    }
    void azzera()
    {
        m_risposte.clear();
        m_mostrati.clear();
    }

    Messaggi::Risposta presenta(QWidget*, const Messaggi::Mostrato& box) override
    {
        m_mostrati.append(box);
        // A box without a question still takes its place in the queue.
        const Messaggi::Risposta risposta =
            m_risposte.isEmpty() ? box.predefinita : m_risposte.dequeue();
        return box.domanda ? risposta : Messaggi::Risposta::Ok;
    }

private:
    QQueue<Messaggi::Risposta> m_risposte;
    QList<Messaggi::Mostrato> m_mostrati;
};
