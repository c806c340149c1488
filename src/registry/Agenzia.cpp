#include "registry/Agenzia.h"

QString Agenzia::nomeVisualizzato() const
{
    return ::nomeVisualizzato(orag, ocog, onome);
}

QString nomeVisualizzato(const QString& ragioneSociale, const QString& cognome, const QString& nome)
{
    const QString ragione = ragioneSociale.trimmed();
    return ragione.isEmpty() ? cognome.trimmed() + nome.trimmed() : ragione;
}

Periodo periodoPredefinito(const QDate& oggi)
{
    // January reports December of the year before.
    const QDate meseScorso = oggi.addMonths(-1);
    return {QString::number(meseScorso.year()),
            QStringLiteral("%1").arg(meseScorso.month(), 2, 10, QLatin1Char('0'))};
}
