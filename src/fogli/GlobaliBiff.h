#pragma once

#include "base/Esito.h"
#include "fogli/RecordBiff.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// What the cells of an .xls worksheet need from the records before the
// sheets (the workbook globals): the shared strings, which styles show
// dates, the date system, and where the first worksheet begins.
struct GlobaliBiff
{
    bool biff8 = true;           // Excel 97-2003; otherwise Excel 5/95
    bool sistema1904 = false;    // dates counted from 1904 (old Mac workbooks)
    std::vector<bool> stileData; // by style (XF) number: its format shows a date
    std::vector<QString> testi;  // the shared strings (Excel 97-2003)
    qsizetype inizioFoglio = -1; // BOF of the first worksheet in tab order; -1: none
    // Where the next sheet of the list begins, after it (or the stream's
    // end): the worksheet's records must end before.
    qsizetype fineFoglio = -1;
    bool latin1 = false; // Excel 5/95 texts: Latin-1, else Windows-1252

    // A text inside a record from `inizio`: a count of one byte
    // (`contaInByte`) or two, then the characters, one byte each in the
    // workbook's code page (Excel 5/95) or as Excel 97-2003 strings, which
    // run on into the CONTINUE records that `seguito` reads when given.
    // Nothing when the bytes run out first.
    std::optional<QString> stringa(const RecordBiff::Record& r, int inizio, bool contaInByte,
                                   RecordBiff::Records* seguito = nullptr) const;
};

// Reads the globals of a workbook stream. The error, in Italian, says why
// the workbook cannot be read: a version not supported, a password, damage.
Esito<GlobaliBiff> leggiGlobaliBiff(const QByteArray& flusso);

// The description of damage, the same for every kind.
QString strutturaNonValida();
