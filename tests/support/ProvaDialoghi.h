#pragma once

#include "common/ui/DialoghiFile.h"

#include <QList>
#include <QQueue>

// While one exists, no dialog is shown: each request is recorded and answered
// with the queued file names in order (cancel, an empty name, when none is left).
class ProvaDialoghi final : public DialoghiFile::Schermo
{
public:
    ProvaDialoghi() : m_precedente(DialoghiFile::sostituisci(this)) {}
    ~ProvaDialoghi() override { DialoghiFile::sostituisci(m_precedente); }
    ProvaDialoghi(const ProvaDialoghi&) = delete;
    ProvaDialoghi& operator=(const ProvaDialoghi&) = delete;

    void scegli(const QString& percorso) { m_risposte.enqueue(percorso); }
    void annulla() { scegli(QString()); }
    const QList<DialoghiFile::Richiesta>& richieste() const { return m_richieste; }

    QString presenta(QWidget*, const DialoghiFile::Richiesta& richiesta) override
    {
        m_richieste.append(richiesta);
        return m_risposte.isEmpty() ? QString() : m_risposte.dequeue();
    }

private:
    DialoghiFile::Schermo* m_precedente;
    QQueue<QString> m_risposte;
    QList<DialoghiFile::Richiesta> m_richieste;
};
