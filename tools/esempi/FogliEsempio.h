#pragma once

#include "xlsx/ScriviXlsx.h"

#include <QDate>
#include <QString>
#include <QStringList>

// The workbooks shipped in the Help folder: the empty base sheet of the
// monthly operations, a month of made-up operations that passes every row
// check, and the same month with the mistakes clerks make most often, so the
// guide can show the error report they produce.
namespace FogliEsempio {

// The 22 columns of the sheet, in order, with how they are formatted.
QList<ColonnaXlsx> Colonne();

// Heading rows: the fields of the record the column feeds (B3...B24) and
// their names.
QStringList CodiciCampo();
QStringList NomiCampo();

// The data rows of each workbook (the base sheet has none).
using Righe = QList<QList<ScriviXlsx::Valore>>;
Righe FoglioBase();
Righe EsempioMese();
Righe EsempioErrori();

// A workbook of the Help folder: one sheet "Operazioni", the two heading rows
// kept in view, then `righe`.
bool Scrivi(const QString& percorso, const Righe& righe);

// The file names in Help/ and the workbooks written there.
inline const char* const kBase = "ZEFIRANTE_BASE.xlsx";
inline const char* const kEsempio = "ESEMPIO_MESE.xlsx";
inline const char* const kErrori = "ESEMPIO_ERRORI.xlsx";

// Writes the three workbooks into `cartella`; false when one cannot be written.
bool ScriviTutti(const QString& cartella);

// The 16-character codice fiscale of a person born in Italy (`belfiore` is
// the municipality's cadastral code, such as H501 for Rome) or abroad (the
// foreign state's Z code): surname and name letters, birth date and sex,
// place, and the check letter of the published tables.
QString CodiceFiscale(const QString& cognome, const QString& nome, QChar sesso,
                      const QDate& nascita, const QString& belfiore);

} // namespace FogliEsempio
