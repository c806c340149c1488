#pragma once

#include "base/Esito.h"
#include "communication/FoglioOperazioni.h"
#include "storage/DescrizioneTabella.h"

#include <QLatin1StringView>
#include <QString>
#include <array>
#include <bitset>

class Connessione;
class RapportoErrori;

// Where the check of an Excel row and of a CSV line differ; every rule is
// otherwise the same.
struct RegoleControllo
{
    // CSV: the trimmed values, with the dates rewritten to their eight digits,
    // are what the record is written from. Excel: the cells are written as
    // they stand and the check works on a trimmed copy, except a date the
    // check accepts, which is written as its eight digits.
    bool scriveValoriRipuliti;
    // The names in the subject text: trimmed (CSV) or as in the cells (Excel).
    bool soggettoDaValoriRipuliti;
    // The label of a currency code that CTAB "DIV" does not hold.
    QString etichettaDivisaErrata;

    static const RegoleControllo excel;
    static const RegoleControllo csv;
};

// The code lists the checks look codes up in, read once per run.
struct CodiciControllo
{
    TabellaCodici paesi;  // CTAB "PAESI", field B11
    TabellaCodici divise; // CTAB "DIV", field B20

    static Esito<CodiciControllo> carica(const Connessione& connessione);
};

// The columns of a row that failed a check (bit k: column k of the sheet).
using ColonneFallite = std::bitset<kColonneFoglio>;

// Checks one data row field by field and writes one line of the report for
// each failed check. A failed check never stops the import; an Errore means
// the report could not be written. `falliti`, when given, gets the columns
// that failed, so what follows the checks knows which values they accepted.
EsitoVuoto ControllaRiga(RigaFoglio& riga, const RegoleControllo& regole,
                         const CodiciControllo& codici, RapportoErrori& rapporto,
                         ColonneFallite* falliti = nullptr);

// The eight digits each date column of an ASCII row is rewritten to.
struct DateAscii
{
    char cifre[kColonneFoglio][8];
};

// The checks of a CSV row read as ASCII bytes (LettoreCsv::leggiAscii), for
// the common row that passes them all: true when it does, its values then
// trimmed and its dates pointing at their eight digits in `date`, as the
// record is written from them. A row that fails any check is not reported
// here: it is read as text and goes through ControllaRigaCsv, which reports.
bool RigaAsciiSenzaErrori(std::array<QLatin1StringView, kColonneFoglio>& valori, DateAscii& date,
                          const CodiciControllo& codici);

inline EsitoVuoto ControllaRigaFoglio(RigaFoglio& riga, const CodiciControllo& codici,
                                      RapportoErrori& rapporto)
{
    return ControllaRiga(riga, RegoleControllo::excel, codici, rapporto);
}

inline EsitoVuoto ControllaRigaCsv(RigaFoglio& riga, const CodiciControllo& codici,
                                   RapportoErrori& rapporto)
{
    return ControllaRiga(riga, RegoleControllo::csv, codici, rapporto);
}
