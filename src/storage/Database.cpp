#include "storage/Database.h"

#include "storage/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

Esito<std::unique_ptr<Connessione>> apriFile(const QString& file, bool creaSeManca)
{
    const bool nuovo = !QFileInfo::exists(file);
    if (nuovo && !creaSeManca)
        return Errore{
            QStringLiteral("Il database %1 non esiste.").arg(QDir::toNativeSeparators(file))};
    if (nuovo && !QDir().mkpath(QFileInfo(file).absolutePath()))
        return Errore{QStringLiteral("Impossibile creare la cartella del database %1.")
                          .arg(QDir::toNativeSeparators(QFileInfo(file).absolutePath()))};

    auto connessione = Connessione::apriSqlite(file);
    if (!connessione)
        return connessione;
    if (nuovo) {
        if (auto creato = creaDatabase(*connessione.valore()); !creato) {
            connessione.valore().reset();
            QFile::remove(file); // nothing half-made stays behind
            return Errore{creato.errore()};
        }
    }
    // A file that is not a database only shows it at the first read.
    if (auto verifica = verificaSchema(*connessione.valore()); !verifica)
        return Errore{verifica.errore()};
    return connessione;
}

} // namespace

Esito<std::unique_ptr<Connessione>> Database::apri(const QString& file)
{
    return apriFile(file, true);
}

Esito<std::unique_ptr<Connessione>> Database::apriEsistente(const QString& file)
{
    return apriFile(file, false);
}
