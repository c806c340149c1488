#pragma once

#include "base/Esito.h"
#include "storage/TipiCampo.h"

#include <QString>
#include <QVariant>

// How a column's value becomes archive text and back, by the column's kind.
namespace ValoriArchivio {

// A number the way the archive has always held it: no thousands separator,
// at most two decimals after the decimal comma, no digit before the comma
// below 1, and the comma always present: 1500,75  1500,  ,5  -,25  and zero
// as the bare ",".
QString numero(double valore);

// The archive text of a stored value: empty for Null, numbers as above,
// anything else its text with the blanks around it removed.
QString testo(const QVariant& valore, TipoCampo tipo);

// The value to store for an archive text: the text itself, a number in a
// number column. A blank text is the empty text in a text column, 0 in a
// number column and no date in a date column. A number that cannot be read
// is an error, never a silent 0.
Esito<QVariant> valore(const QString& testo, TipoCampo tipo);

} // namespace ValoriArchivio
