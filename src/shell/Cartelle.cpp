#include "shell/Cartelle.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString unisci(const QString& cartella, const QString& nome)
{
    return QDir(cartella).filePath(nome);
}

EsitoVuoto copiaSeManca(const QString& risorsa, const QString& destinazione)
{
    if (QFileInfo::exists(destinazione))
        return {};
    if (!QDir().mkpath(QFileInfo(destinazione).absolutePath()) ||
        !QFile::copy(risorsa, destinazione))
        return Errore{
            QStringLiteral("Impossibile creare %1.").arg(QDir::toNativeSeparators(destinazione))};
    // Resources are read-only; the user's copy must not be.
    QFile::setPermissions(destinazione, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                            QFile::ReadOther);
    return {};
}

} // namespace

QString Cartelle::applicazione(const QString& richiesta, const QString& cartellaEseguibile)
{
    if (!richiesta.isEmpty())
        return QDir(richiesta).absolutePath();
    const QDir eseguibile(cartellaEseguibile);
    if (eseguibile.exists(QStringLiteral("DataBase")) ||
        eseguibile.exists(QStringLiteral("configurazione.ini")))
        return eseguibile.absolutePath();
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString Cartelle::dati(const QString& pcDirF, const QString& cartellaApplicazione)
{
    if (pcDirF.isEmpty()) {
        const QString appdata = qEnvironmentVariable("appdata", qEnvironmentVariable("APPDATA"));
        if (!appdata.isEmpty())
            return appdata;
        return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    }
    if (pcDirF == QLatin1String("PGM"))
        return cartellaApplicazione;
    return pcDirF;
}

EsitoVuoto Cartelle::preparaApplicazione(const QString& cartella)
{
    if (!QDir().mkpath(cartella))
        return Errore{QStringLiteral("Impossibile creare la cartella %1.")
                          .arg(QDir::toNativeSeparators(cartella))};
    for (const char* sotto : {"DataBase", "stampe", "Help"})
        QDir(cartella).mkpath(QString::fromLatin1(sotto));
    const QString radice = QStringLiteral(":/dotazione/");
    QDirIterator it(radice, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString risorsa = it.next();
        if (auto esito = copiaSeManca(risorsa, unisci(cartella, risorsa.mid(radice.size())));
            !esito)
            return esito;
    }
    return {};
}

QString Cartelle::fileIni(const QString& cartella)
{
    return unisci(cartella, QStringLiteral("configurazione.ini"));
}

QString Cartelle::fileDatabase(const QString& cartella)
{
    return unisci(cartella, QStringLiteral("DataBase/ZEFIRANTE.db"));
}

QString Cartelle::fileDivise(const QString& cartella)
{
    return unisci(cartella, QStringLiteral("DIVISE.CSV"));
}

QString Cartelle::fileErroriImport(const QString& cartella)
{
    return unisci(cartella, QStringLiteral("ERRORE_IMPORT.TXT"));
}

QString Cartelle::fileAvvisiImport(const QString& cartella)
{
    return unisci(cartella, QStringLiteral("AVVISI_IMPORT.TXT"));
}

QString Cartelle::fileCartelleAgenzie(const QString& cartella)
{
    return unisci(cartella, QStringLiteral("CARTELLE_AGENZIE.INI"));
}
