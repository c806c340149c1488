#include "base/FormatoItaliano.h"

const QLocale& FormatoItaliano::locale()
{
    static const QLocale italiano = [] {
        QLocale l(QLocale::Italian, QLocale::Italy);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return italiano;
}

QString FormatoItaliano::data(const QDate& giorno)
{
    return giorno.isValid() ? giorno.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

QString FormatoItaliano::dataOra(const QDateTime& momento)
{
    if (!momento.isValid())
        return {};
    if (momento.time() == QTime(0, 0))
        return data(momento.date());
    return momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QString FormatoItaliano::numero(double valore, int decimali)
{
    QString testo = locale().toString(valore, 'f', decimali);
    if (testo.contains(QLatin1Char(','))) {
        while (testo.endsWith(QLatin1Char('0')))
            testo.chop(1);
        if (testo.endsWith(QLatin1Char(',')))
            testo.chop(1);
    }
    if (testo == QLatin1String("-0"))
        testo = QStringLiteral("0");
    return testo;
}

QString FormatoItaliano::importo(double valore, int decimali)
{
    static const QLocale conMigliaia(QLocale::Italian, QLocale::Italy);
    return conMigliaia.toString(valore, 'f', decimali);
}
