#pragma once

#include <QDate>
#include <QDateTime>

// Today's date for default periods and the date stamps in file names.
// Tests fix it with OrologioFisso; the program always reads the system clock.
namespace Orologio {
QDate oggi();
QDateTime adesso();
} // namespace Orologio

// Fixes the clock for the lifetime of the object (tests only).
class OrologioFisso
{
public:
    explicit OrologioFisso(QDateTime momento);
    explicit OrologioFisso(QDate giorno) : OrologioFisso(QDateTime(giorno, QTime(10, 0))) {}
    ~OrologioFisso();
    OrologioFisso(const OrologioFisso&) = delete;
    OrologioFisso& operator=(const OrologioFisso&) = delete;

private:
    QDateTime m_precedente;
};
