#pragma once

#include <QString>

class QDateTime;

// How the history's values read in its windows.
namespace TestiStorico {
// "mm/aaaa", as the accountant names a month.
QString periodo(int anno, int mese);
// "dd/mm/yyyy hh:mm".
QString dataOra(const QDateTime& momento);
// The days left to a deadline, or "scaduta da N giorni" once it has passed.
QString giorni(int giorni);
} // namespace TestiStorico
