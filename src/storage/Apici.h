#pragma once

#include <QString>

// Quoting of values placed into statement text.
namespace Sql {

// The value between single quotes, with every quote inside it doubled, so a
// name like D'ANGELO reads as one value and no typed text can change a statement.
QString Apici(const QString& valore);
// The value between double quotes, for command lines.
QString Virgolette(const QString& valore);

} // namespace Sql
