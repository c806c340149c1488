#include "backup/NomiArchivio.h"

#include "base/Orologio.h"
#include "base/NomeFile.h"

#include <QDate>
#include <QDir>

namespace {
constexpr qsizetype LunghezzaMassimaCodice = 40;
}

QString NomiArchivio::dataOdierna()
{
    return Orologio::oggi().toString(QStringLiteral("yyyyMMdd"));
}

QString NomiArchivio::salvataggio(const QString& nomeAgenzia)
{
    return QStringLiteral("SAVE_") + NomeFile(nomeAgenzia) + QLatin1Char('_') + dataOdierna() +
           QStringLiteral(".ZFOAM");
}

QString NomiArchivio::copiaSicurezza(const QString& cartella, const QString& codiceAgenzia)
{
    QString codice = codiceAgenzia.trimmed().left(LunghezzaMassimaCodice);
    for (QChar& c : codice) {
        const bool sicuro =
            (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        if (!sicuro)
            c = u'_';
    }
    return QDir(cartella).filePath(QStringLiteral("BFRR_") + codice + QLatin1Char('_') +
                                   dataOdierna() + QStringLiteral(".COR"));
}
