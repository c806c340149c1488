#include "history/ui/TestiStorico.h"

#include <QDateTime>

QString TestiStorico::periodo(int anno, int mese)
{
    return QStringLiteral("%1/%2").arg(mese, 2, 10, QLatin1Char('0')).arg(anno);
}

QString TestiStorico::dataOra(const QDateTime& momento)
{
    return momento.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString TestiStorico::giorni(int giorni)
{
    if (giorni >= 0)
        return QString::number(giorni);
    return giorni == -1 ? QStringLiteral("scaduta da 1 giorno")
                        : QStringLiteral("scaduta da %1 giorni").arg(-giorni);
}
