#pragma once

#include "base/Esito.h"

#include <QString>
#include <functional>

class Connessione;

// What the first line of an archive tells before a restore.
struct IntestazioneArchivio
{
    QString codice;      // the agency's OCOD, trimmed
    QString descrizione; // its code and name separated by a blank, as the window shows it
};

// Reads the first line of a file. A file that is not an archive (another
// first line, empty, unreadable) gives the Italian "not an archive" message.
Esito<IntestazioneArchivio> LeggiIntestazione(const QString& percorso);

struct EsitoRipristino
{
    QString codice;         // the restored agency
    QString copiaSicurezza; // where its data stood before the restore
    int righe = 0;          // archive lines restored
};

// Restores the agency held in an archive:
//  1. its current data is written to the safety copy in `cartellaApplicazione`
//     (an empty file when the agency is not in the database);
//  2. its COPE row is replaced by the archive's; each archive CTAB row
//     updates the description of the row with the same TIPO and COD, or is
//     added. The agency's CTAB rows that the archive lacks stay.
// Step 2 is one transaction: an archive that fails anywhere (a line with more
// values than its table has columns, an unknown table, a row of another
// agency, a value that is not a number where one is due, a database error)
// leaves the database exactly as it was and the safety copy in place, and the
// error tells the line.
//
// `passo` is called once for each line restored, for a progress bar.
Esito<EsitoRipristino> RipristinaArchivio(const Connessione& connessione, const QString& percorso,
                                          const QString& cartellaApplicazione,
                                          const std::function<void()>& passo = {});
