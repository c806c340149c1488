#include "storage/Connessione.h"

#include "storage/AdattaSql.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QStringList>

namespace {

QString nuovoNome()
{
    static QAtomicInt contatore;
    return QStringLiteral("zefirante-%1").arg(contatore.fetchAndAddRelaxed(1));
}

Errore erroreSql(const QSqlError& errore)
{
    return Errore{Connessione::descrizione(errore)};
}

} // namespace

Connessione::Connessione(QString nome, QString file)
    : m_nome(std::move(nome)), m_file(std::move(file))
{
}

Connessione::~Connessione()
{
    {
        QSqlDatabase db = QSqlDatabase::database(m_nome, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_nome);
}

QString Connessione::descrizione(const QSqlError& errore)
{
    // SQLITE_BUSY (5, with its extended codes) once the busy timeout has run out: another
    // program kept the database for itself all that time.
    bool numero = false;
    const int codice = errore.nativeErrorCode().toInt(&numero);
    if ((numero && (codice & 0xff) == 5) ||
        errore.databaseText().contains(QLatin1String("database is locked")))
        return QStringLiteral(
            "Il database è occupato da un altro programma ZEFIRANTE: riprovare tra poco.");
    QString testo = errore.databaseText().trimmed();
    if (testo.isEmpty())
        testo = errore.driverText().trimmed();
    if (testo.isEmpty())
        testo = errore.text().trimmed();
    return testo;
}

Esito<std::unique_ptr<Connessione>> Connessione::apriSqlite(const QString& file)
{
    std::unique_ptr<Connessione> connessione(new Connessione(nuovoNome(), file));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connessione->m_nome);
    if (!db.isValid())
        return Errore{QStringLiteral("Il driver SQLite di Qt non è installato.")};
    db.setDatabaseName(file);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!db.open())
        return erroreSql(db.lastError());
    return connessione;
}

QSqlDatabase Connessione::database() const
{
    return QSqlDatabase::database(m_nome, false);
}

Esito<QSqlQuery> Connessione::esegui(const QString& sqlJet) const
{
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(adattaSql(sqlJet)))
        return erroreSql(query.lastError());
    return query;
}

Esito<bool> Connessione::haRighe(const QString& sqlJet) const
{
    auto query = esegui(sqlJet);
    if (!query)
        return Errore{query.errore()};
    return query.valore().next();
}

EsitoVuoto Connessione::inserisci(const QString& tabella, const Valori& valori) const
{
    QStringList colonne, segnaposto;
    for (const auto& [colonna, valore] : valori) {
        colonne << colonna;
        segnaposto << QStringLiteral("?");
    }
    return eseguiLegata(
        QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
            .arg(tabella, colonne.join(QLatin1Char(',')), segnaposto.join(QLatin1Char(','))),
        valori);
}

EsitoVuoto Connessione::aggiorna(const QString& tabella, const Valori& valori,
                                 const QString& condizioneJet) const
{
    QStringList assegnazioni;
    for (const auto& coppia : valori)
        assegnazioni << coppia.first + QStringLiteral("=?");
    return eseguiLegata(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3")
            .arg(tabella, assegnazioni.join(QLatin1Char(',')), adattaSql(condizioneJet)),
        valori);
}

EsitoVuoto Connessione::eseguiLegata(const QString& sql, const Valori& valori) const
{
    QSqlQuery query(database());
    if (!query.prepare(sql))
        return erroreSql(query.lastError());
    for (const auto& coppia : valori)
        query.addBindValue(coppia.second);
    if (!query.exec())
        return erroreSql(query.lastError());
    return {};
}

QString Connessione::stringaConnessione(const QString& fileDatabase)
{
    return QStringLiteral("Driver=QSQLITE;Data Source=") + QDir::toNativeSeparators(fileDatabase);
}

QString Connessione::fileDaStringaConnessione(const QString& stringa)
{
    for (const QString& parte : stringa.split(QLatin1Char(';'))) {
        const qsizetype uguale = parte.indexOf(QLatin1Char('='));
        if (uguale > 0 && parte.left(uguale).trimmed().compare(QLatin1String("Data Source"),
                                                               Qt::CaseInsensitive) == 0)
            return QDir::fromNativeSeparators(parte.mid(uguale + 1).trimmed());
    }
    return {};
}
