#pragma once

#include "base/Esito.h"
#include "registry/Agenzia.h"
#include "storage/Connessione.h"

#include <QList>
#include <optional>

// Listing, reading, naming, writing and deleting agencies in COPE: no other
// code touches the table.
namespace ArchivioAgenzie {

// An agency as a list names it.
struct Voce
{
    QString codice; // OCOD as stored
    QString nome;
};

// The statement of the agency list: code and company name, by company name.
// The agency window's list shows its columns under the aliases' headings.
QString sqlElenco();

// Every agency, code and company name (ORAG) as stored, in the list's order.
Esito<QList<Voce>> elenco(const Connessione& connessione);

// The agency with that code, its code as stored and its name as the windows
// show it (nomeVisualizzato), or nothing when there is none.
Esito<std::optional<Voce>> nome(const Connessione& connessione, const QString& codice);

// The agency with that code, or nothing when there is none.
Esito<std::optional<Agenzia>> carica(const Connessione& connessione, const QString& codice);

// Whether COPE holds any agency at all.
Esito<bool> presenti(const Connessione& connessione);

// Writes the agency: a new row, or over the row with the same code (no
// duplicate, no warning). For a person the company name becomes surname +
// " " + first name (70 characters at most) and the office fields are emptied,
// so no company data of an earlier record travels with a person's.
// One transaction: nothing is half-saved.
EsitoVuoto salva(const Connessione& connessione, const Agenzia& agenzia);

// A row that comes whole from elsewhere, column by column, written over the
// row of the agency `codice` or added when there is none (a sibling program's
// agencies, copied at the first start).
EsitoVuoto scriviRiga(const Connessione& connessione, const QString& codice,
                      const Connessione::Valori& valori);

// Adds a row as given, column by column (a backup archive's row, restored
// after `elimina`).
EsitoVuoto aggiungiRiga(const Connessione& connessione, const Connessione::Valori& valori);

// Deletes the agency's COPE row only: its other data stays.
EsitoVuoto elimina(const Connessione& connessione, const QString& codice);
// The same at the start of a restore, before aggiungiRiga puts the archive's row in.
EsitoVuoto eliminaPerRipristino(const Connessione& connessione, const QString& codice);

} // namespace ArchivioAgenzie
