#pragma once

#include "base/Esito.h"
#include "cli/Argomenti.h"
#include "communication/DatiAgenzia.h"

#include <QString>

class Connessione;

// The options several commands share, meaning the same in each.
namespace OpzioniComuni {
Opzione agenzia();     // --agenzia CF
Opzione output();      // --output FILE, the communication to write
Opzione anno();        // --anno AAAA of the communication
Opzione mese();        // --mese MM of the communication
Opzione sovrascrivi(); // --sovrascrivi
} // namespace OpzioniComuni

// The agency of --agenzia with the period of --anno and --mese (by default
// the month before today's, as the agency window proposes it), for the
// header of a communication.
Esito<DatiAgenzia> AgenziaDelPeriodo(const Connessione& connessione, const Argomenti& opzioni);
// The code of --agenzia as the registry keeps it: without blanks around, in capitals.
QString CodiceAgenzia(const Argomenti& opzioni);

// An existing --output is replaced only with --sovrascrivi, as the window
// asks before overwriting.
EsitoVuoto ControllaSovrascrittura(const QString& percorso, bool sovrascrivi);
