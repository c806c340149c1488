#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

// Dates and numbers are shown and written the Italian way (dd/mm/yyyy, decimal
// comma, dot for thousands) whatever the machine's locale: the clerk's sheets,
// the archives of older installations and OAM's forms all use these forms.
namespace FormatoItaliano {

const QLocale& locale();

// dd/mm/yyyy, the short date form of an Italian system.
QString data(const QDate& giorno);
// dd/mm/yyyy hh:mm:ss, or just the date when the time is midnight.
QString dataOra(const QDateTime& momento);

// A number with the decimal comma and no thousands separator, at most
// `decimali` decimals and no trailing zeros ("1500,75", "3", "0,5").
QString numero(double valore, int decimali = 2);
// A number with the dot for thousands and exactly `decimali` decimals ("1.500,75").
QString importo(double valore, int decimali = 2);

} // namespace FormatoItaliano
