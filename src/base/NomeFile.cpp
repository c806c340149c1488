#include "base/NomeFile.h"

QString NomeFile(const QString& testo)
{
    QString lettere;
    for (const QChar c : testo.trimmed().toUpper()) {
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) {
            lettere += c;
            if (lettere.size() == 20)
                break;
        }
    }
    return lettere;
}
