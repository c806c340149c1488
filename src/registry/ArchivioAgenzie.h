#pragma once

#include "base/Esito.h"
#include "registry/Agenzia.h"

#include <optional>

class Connessione;

// Reading, writing and deleting agencies in COPE.
namespace ArchivioAgenzie {

// The agency with that code, or nothing when there is none.
Esito<std::optional<Agenzia>> carica(const Connessione& connessione, const QString& codice);

// Writes the agency: a new row, or over the row with the same code (no
// duplicate, no warning). For a person the company name becomes surname +
// " " + first name (70 characters at most) and the office fields are emptied,
// so no company data of an earlier record travels with a person's.
// One transaction: nothing is half-saved.
EsitoVuoto salva(const Connessione& connessione, const Agenzia& agenzia);

// Deletes the agency's COPE row only: its other data stays.
EsitoVuoto elimina(const Connessione& connessione, const QString& codice);

} // namespace ArchivioAgenzie
