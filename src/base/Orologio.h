#pragma once

#include <QDate>
#include <QDateTime>

// Today's date for default periods and the date stamps in file names: the
// system clock, unless a moment is fixed (tests do).
namespace Orologio {
QDate oggi();
QDateTime adesso();
// From now on the clock reads `momento` (an invalid one: the system clock
// again); returns the moment it replaces, for the caller to put back.
QDateTime fissa(QDateTime momento);
} // namespace Orologio
