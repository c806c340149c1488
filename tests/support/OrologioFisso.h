#pragma once

#include "base/Orologio.h"

// Fixes the program's clock for the lifetime of the object.
class OrologioFisso
{
public:
    explicit OrologioFisso(QDateTime momento) : m_precedente(Orologio::fissa(std::move(momento))) {}
    explicit OrologioFisso(QDate giorno) : OrologioFisso(QDateTime(giorno, QTime(10, 0))) {}
    ~OrologioFisso() { Orologio::fissa(m_precedente); }
    OrologioFisso(const OrologioFisso&) = delete;
    OrologioFisso& operator=(const OrologioFisso&) = delete;

private:
    QDateTime m_precedente;
};
