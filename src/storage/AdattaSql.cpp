#include "storage/AdattaSql.h"

#include <QDate>
#include <QStringList>

namespace {

// "2016/01/01" (year first) or "01/31/2016" (Jet's American order) -> 'yyyy-mm-dd'.
QString dataSqlite(QStringView dentro)
{
    const QStringList parti = dentro.toString().split(QLatin1Char('/'));
    if (parti.size() != 3)
        return {};
    bool ok1 = false, ok2 = false, ok3 = false;
    const int a = parti[0].toInt(&ok1), b = parti[1].toInt(&ok2), c = parti[2].toInt(&ok3);
    if (!ok1 || !ok2 || !ok3)
        return {};
    const QDate data = parti[0].size() == 4 ? QDate(a, b, c) : QDate(c, a, b);
    if (!data.isValid() || (parti[0].size() != 4 && parti[2].size() != 4))
        return {};
    return QLatin1Char('\'') + data.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\'');
}

} // namespace

QString adattaSql(QStringView jet)
{
    QString sql;
    sql.reserve(jet.size());
    for (qsizetype i = 0; i < jet.size(); ++i) {
        const QChar c = jet[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            // Copy a quoted string or bracketed name whole ('' inside stays).
            const QChar chiusura = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            qsizetype fine = jet.indexOf(chiusura, i + 1);
            if (fine < 0)
                fine = jet.size() - 1;
            sql += jet.mid(i, fine - i + 1);
            i = fine;
            continue;
        }
        if (c == QLatin1Char('#')) {
            const qsizetype fine = jet.indexOf(QLatin1Char('#'), i + 1);
            if (fine > i) {
                const QString data = dataSqlite(jet.mid(i + 1, fine - i - 1));
                if (!data.isEmpty()) {
                    sql += data;
                    i = fine;
                    continue;
                }
            }
        }
        sql += c;
    }
    return sql;
}
