#pragma once

#include "common/ui/DialoghiFile.h"
#include "support/Sostituto.h"

#include <QList>
#include <QQueue>

// While one exists, no dialog is shown: each request is recorded and answered
// with the queued file names in order (cancel, an empty name, when none is left).
class ProvaDialoghi final : public Sostituto<DialoghiFile::Schermo, &DialoghiFile::sostituisci>
{
public:
    void scegli(const QString& percorso) { m_risposte.enqueue(percorso); }
    void annulla() { scegli(QString()); }
    const QList<DialoghiFile::Richiesta>& richieste() const { return m_richieste; }

    QString presenta(QWidget*, const DialoghiFile::Richiesta& richiesta) override
    {
        m_richieste.append(richiesta);
        return m_risposte.isEmpty() ? QString() : m_risposte.dequeue();
    }

private:
    QQueue<QString> m_risposte;
    QList<DialoghiFile::Richiesta> m_richieste;
};
