#pragma once

#include "base/LavoroInDisparte.h"
#include "communication/LeggiFoglio.h"

// The monthly import on a thread of its own, so that a window keeps
// repainting and answering while half a million rows are read. The thread
// opens its own connection to the same database file.
class ComunicazioneInDisparte : public LavoroInDisparte
{
    Q_OBJECT

public:
    // Runs LeggiFoglio and returns its outcome once the thread has finished.
    // After interrompi() it ends with kLetturaInterrotta.
    Esito<RisultatoComunicazione> esegui(const QString& fileDatabase,
                                         const RichiestaComunicazione& richiesta);

signals:
    // A report of the run, from the import's thread (connect it queued or automatic).
    void avanzato(Avanzamento avanzamento);
};
