#pragma once

#include "communication/LeggiFoglio.h"

#include <QObject>
#include <atomic>

// The monthly import on a thread of its own, so that a window keeps
// repainting and answering while half a million rows are read. The thread
// opens its own connection to the same database file: a connection belongs
// to the thread that opened it.
class ComunicazioneInDisparte : public QObject
{
    Q_OBJECT

public:
    // Runs LeggiFoglio and returns its outcome once the thread has finished;
    // meanwhile the caller's events keep flowing (a local event loop).
    Esito<RisultatoComunicazione> esegui(const QString& fileDatabase,
                                         const RichiestaComunicazione& richiesta);
    // Stops the run before its next row: it then ends with kLetturaInterrotta.
    void interrompi() { m_interrompi = true; }

signals:
    // A report of the run, from the import's thread (connect it queued or automatic).
    void avanzato(Avanzamento avanzamento);

private:
    std::atomic<bool> m_interrompi = false;
};
