#pragma once

#include "base/Esito.h"
#include "base/Interruzione.h"
#include "communication/DatiAgenzia.h"

#include <QString>
#include <functional>

class Connessione;
class LettoreFoglio;
struct RegoleControllo;

// What a run of the monthly import needs, without any dialog: the agency and
// period for the header, the sheet, the file to write and where the error
// report goes.
struct RichiestaComunicazione
{
    DatiAgenzia agenzia;
    QString foglio; // the Excel workbook or CSV file
    QString separatoreCsv = QStringLiteral(";");
    int primaRigaCsv = 3;      // first data line of a CSV file, from 1
    QString fileComunicazione; // the communication to write
    QString fileErrori;        // the error report, ERRORE_IMPORT.TXT of the application folder
    QString fileAvvisi;        // the advice, AVVISI_IMPORT.TXT; empty: none written
    // Set, from any thread, to stop the run before its next row: nothing is
    // written and the older files stay as they were.
    const Interruzione* interruzione = nullptr;
};

struct RisultatoComunicazione
{
    qint64 recordB = 0;
    bool erroriPresenti = false; // rows failed checks: see fileErrori
    qint64 righeErrori = 0;      // the lines of the report, one per failed check
    QString fileErrori;          // ERRORE_IMPORT.TXT of the application folder
    qint64 avvisi = 0;           // lines of advice (counted also without a file)
    QString fileAvvisi;          // AVVISI_IMPORT.TXT of the application folder
    QString erroreAvvisi;        // why that file could not be written; the run stands
};

// Where a run is, told about ten times a second at most so a window can
// show it: the row being read and the share of the sheet read (negative when
// the reader cannot tell).
struct Avanzamento
{
    int riga = 0;
    double quota = -1;
};
using AvanzamentoLettura = std::function<void(const Avanzamento&)>;

// The Errore::numero of a run stopped through RichiestaComunicazione::interruzione;
// its description is kMessaggioInterrotta.
inline constexpr int kLetturaInterrotta = 1;

// A sheet is read as CSV when its path, upper-cased, contains "CSV" anywhere
// (folder names included); as an Excel workbook otherwise.
bool FoglioCsv(const QString& percorso);

// Writes the communication: record A, one checked record B per data row,
// record Z. Rows that fail a check are written all the same and listed in
// ERRORE_IMPORT.TXT; advice on the values that passed (AvvisiImport) goes to
// AVVISI_IMPORT.TXT and changes nothing else. An Errore is a run that could
// not be completed (the sheet unreadable, a CSV line short of fields, an
// amount too long, a file that cannot be written); its description follows
// "Errore Lettura foglio: ". The communication is written aside and put in
// place only when complete, so a failed run leaves the file that was there
// before untouched.
Esito<RisultatoComunicazione> LeggiFoglio(const Connessione& connessione,
                                          const RichiestaComunicazione& richiesta,
                                          const AvanzamentoLettura& avanzamento = {});

// The same with a sheet already open (tests, benchmarks): `regole` says
// whether it is read as Excel or as CSV.
Esito<RisultatoComunicazione> ScriviComunicazione(const Connessione& connessione,
                                                  const RichiestaComunicazione& richiesta,
                                                  LettoreFoglio& lettore,
                                                  const RegoleControllo& regole,
                                                  const AvanzamentoLettura& avanzamento = {});
