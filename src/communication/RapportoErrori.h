#pragma once

#include "communication/RapportoRighe.h"

// ERRORE_IMPORT.TXT, the report of the rows of a sheet that failed a check.
class RapportoErrori : public RapportoRighe
{
public:
    RapportoErrori(QString percorso, QString foglio)
        : RapportoRighe(
              std::move(percorso), std::move(foglio),
              {u"CONTROLLO ERRORI BLOCCANTI - COMUNICAZIONE MENSILE OAM", " - Errore nel campo "})
    {
    }

    // Writes " Riga: N - Errore nel campo " + messaggio.
    EsitoVuoto ScriviErrore(int riga, const QString& messaggio) { return scrivi(riga, messaggio); }

    bool erroriPresenti() const { return presente(); }
};
