#pragma once

#include "base/Esito.h"

#include <QString>
#include <QStringView>
#include <optional>

// How an Italian Excel shows a cell's value as text. The clerk's workbook is
// read the way the clerk sees it: dates as dd/mm/yyyy, numbers with the
// decimal comma, so the record holds what the sheet shows.
namespace TestoCella {

// A number as Excel's General format shows it, without the width limit:
// at most 15 significant digits (Excel keeps no more), decimal comma, no
// thousands separator, no exponent, no trailing zeros ("1500,75", "3").
QString numero(double valore);

// A date serial as dd/mm/yyyy, followed by " hh:mm:ss" when it has a time of
// day; a time alone (serial below 1 in the 1900 system) as hh:mm:ss. Serial
// 60 of the 1900 system is 29/02/1900, the day that Excel invents for
// Lotus compatibility. Nothing for a serial that is no date (negative, or
// past 31/12/9999): such a cell shows as a number.
std::optional<QString> data(double seriale, bool sistema1904);

// Whether a number format code shows its number as a date or time: any
// d, m, y, h or s code outside quoted text, brackets and escapes.
bool formatoData(QStringView codice);
// The built-in number formats that show dates and times.
bool formatoDataPredefinito(int idFormato);

// The Italian name of an Excel error value ("#N/A" -> "#N/D").
QString erroreItaliano(QStringView codice);

// An error value in a cell stops the run: its text would be taken for data.
Errore erroreNelFoglio(int riga, int colonna, QStringView codiceInglese);

// Blank as the stop rule reads it: nothing left after removing spaces.
bool vuoto(QStringView testo);

} // namespace TestoCella
