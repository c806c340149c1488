#include "storage/Apici.h"

QString Sql::Apici(const QString& valore)
{
    QString testo = valore;
    testo.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + testo + QLatin1Char('\'');
}

QString Sql::Virgolette(const QString& valore)
{
    return QLatin1Char('"') + valore + QLatin1Char('"');
}
