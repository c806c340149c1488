#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QVariant>

// Dates as clerks type them and as sheets and the database hold them.

// Checks a typed or imported date and turns it into its digits.
// Returns 0 when there is no date ("", or the "0.00.00" / "00:00:00" that a
// blank time-only cell gives), 1 when it is not a valid date, 2 when it is.
//
// A value of 6 to 10 characters is rewritten in place to its digits, eight
// of them, whatever the result: separators and letters are dropped, the
// digits are packed from the left and blanks fill the rest; six digits are
// read as ddmmyy and the century inserted (yy of 30 or more is 19yy, below
// 30 it is 20yy). 12/05/80 becomes 12051980. More than eight digits leave the
// value as it was. The import stores its dates in this form.
//
// A valid date has a month of 1 to 12, a day that exists in that month (29
// February only in leap years) and a four-digit year; `*dataNormalizzata`
// then gets dd/mm/yyyy, and the empty text otherwise.
int ControllaData(QString& valore, QString* dataNormalizzata = nullptr);
// The same for a value read as bytes of Latin-1 (an ASCII line of a CSV
// file), which is left as it is: a valid date's eight digits go to `cifre`.
int ControllaData(QLatin1StringView valore, char (&cifre)[8]);

// The text of a field value: empty for Null, otherwise the value as text with
// the blanks around it removed. Dates read the Italian way (dd/mm/yyyy, with
// hh:mm:ss when there is a time, only hh:mm:ss for a time of day) and numbers
// with the decimal comma, as the clerk sees them in the sheet.
QString TestoCampo(const QVariant& valore);

// The display form dd/mm/yyyy of a stored date. Reads QDate and QDateTime
// values, texts in the forms dd/mm/yyyy (also with "-" or "." and an optional
// time) and yyyy-mm-dd as the database stores them, and day numbers counted
// from 30/12/1899 as spreadsheets and older databases keep dates. Empty for
// Null, for an empty or unreadable value and for a time of day alone (a value
// whose date falls in 1899).
QString FormattaData(const QVariant& valore);
