#pragma once

#include <QByteArray>
#include <QStringList>

// One operation of the month's sheet that passes every check of the import:
// its 22 values, column k (from 0) giving field B(k+2) of record B. Tests
// start from it and change the columns they are about.
namespace RigaValida {

inline QStringList valori()
{
    return {QStringLiteral("ROSSI"),            // B3 surname
            QStringLiteral("MARIO"),            // B4 first name
            QStringLiteral("M"),                // B5 sex
            QStringLiteral("RSSMRA80A01H501U"), // B6 codice fiscale
            QStringLiteral("01/01/1980"),       // B7 date of birth
            QStringLiteral("ROMA"),             // B8 place of birth
            QStringLiteral("RM"),               // B9 its province
            QStringLiteral("ITALIA"),           // B10 country of residence
            QStringLiteral("ITA"),              // B11 its code
            QStringLiteral("CI"),               // B12 document type
            QStringLiteral("AB1234567"),        // B13 document number
            QStringLiteral("31/12/2030"),       // B14 its expiry
            QStringLiteral("COMUNE"),           // B15 issued by
            QStringLiteral("ROMA"),             // B16 issued at
            QStringLiteral("15/09/2017"),       // B17 date of the operation
            QStringLiteral("ROMA"),             // B18 its place
            QStringLiteral("A"),                // B19 buying or selling
            QStringLiteral("USD"),              // B20 currency
            QStringLiteral("1500,75"),          // B21..B23 amounts
            QStringLiteral("1300"),
            QStringLiteral("0"),
            QStringLiteral("T1")}; // B24 transaction identifier
}

// The row with column `colonna` holding `valore`: a fault, or a value a test
// follows through.
inline QStringList con(int colonna, const QString& valore)
{
    QStringList riga = valori();
    riga[colonna] = valore;
    return riga;
}

// A row as one line of a CSV file: fields separated by ";", then CR LF.
inline QByteArray lineaCsv(const QStringList& riga)
{
    return riga.join(QLatin1Char(';')).toUtf8() + "\r\n";
}

} // namespace RigaValida
