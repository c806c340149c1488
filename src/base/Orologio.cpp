#include "base/Orologio.h"

#include <utility>

namespace {
QDateTime g_fisso; // invalid: the system clock
}

QDate Orologio::oggi()
{
    return adesso().date();
}

QDateTime Orologio::adesso()
{
    return g_fisso.isValid() ? g_fisso : QDateTime::currentDateTime();
}

QDateTime Orologio::fissa(QDateTime momento)
{
    return std::exchange(g_fisso, std::move(momento));
}
