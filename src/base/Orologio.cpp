#include "base/Orologio.h"

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

OrologioFisso::OrologioFisso(QDateTime momento) : m_precedente(g_fisso)
{
    g_fisso = std::move(momento);
}

OrologioFisso::~OrologioFisso()
{
    g_fisso = m_precedente;
}
