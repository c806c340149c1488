#pragma once

#include "base/Esito.h"

#include <QString>
#include <functional>

class Connessione;

// Writes the archive of one agency: its COPE row, then its own CTAB rows
// (those whose COD is the agency's code), in the order the database gives
// them. An agency that is not in the database gives an empty file. The file
// is replaced only once it is complete; nothing half-written is left.
//
// An agency with a value holding the separator "¦" or a line break is
// refused: its archive could not be read back.
//
// `passo` is called once for each table that has rows, for a progress bar.
EsitoVuoto ScriviArchivio(const Connessione& connessione, const QString& percorso,
                          const QString& codice, const std::function<void()>& passo = {});
