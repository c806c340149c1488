#include "registry/Agenzia.h"

QString Agenzia::nomeVisualizzato() const
{
    const QString ragione = orag.trimmed();
    return ragione.isEmpty() ? ocog.trimmed() + onome.trimmed() : ragione;
}

Periodo periodoPredefinito(const QDate& oggi)
{
    // January reports December of the year before.
    const QDate meseScorso = oggi.addMonths(-1);
    return {QString::number(meseScorso.year()),
            QStringLiteral("%1").arg(meseScorso.month(), 2, 10, QLatin1Char('0'))};
}
