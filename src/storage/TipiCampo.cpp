#include "storage/TipiCampo.h"

#include "storage/AdattaSql.h"
#include "storage/Connessione.h"

#include <QSqlError>
#include <QSqlQuery>
#include <memory>
#include <sqlite3.h>

TipoCampo tipoDaDichiarato(const QString& tipoDichiarato)
{
    const QString tipo = tipoDichiarato.toUpper();
    if (tipo.contains(QLatin1String("TIMESTAMP")) || tipo.contains(QLatin1String("DATETIME")))
        return TipoCampo::DataOra;
    if (tipo.contains(QLatin1String("DATE")))
        return TipoCampo::Data;
    if (tipo.contains(QLatin1String("DOUBLE")) || tipo.contains(QLatin1String("REAL")) ||
        tipo.contains(QLatin1String("FLOAT")) || tipo.contains(QLatin1String("NUMERIC")) ||
        tipo.contains(QLatin1String("DECIMAL")) || tipo.contains(QLatin1String("INT")))
        return TipoCampo::Numero;
    return TipoCampo::Testo;
}

Esito<QList<Colonna>> colonneTabella(const Connessione& connessione, const QString& tabella)
{
    QSqlQuery query(connessione.database());
    // A table name cannot be bound; only our own table names come here.
    if (!query.exec(QStringLiteral("PRAGMA table_info(\"%1\")").arg(tabella)))
        return Errore{Connessione::descrizione(query.lastError())};
    QList<Colonna> colonne;
    while (query.next())
        colonne.append({query.value(1).toString(), tipoDaDichiarato(query.value(2).toString())});
    if (colonne.isEmpty())
        return Errore{QStringLiteral("Tabella %1 inesistente.").arg(tabella)};
    return colonne;
}

// Qt's SQL layer does not pass on the declared type of a result column, so the
// statement is prepared (never run) on a second, read-only handle to the same
// file, where SQLite tells each column's declared type. This works whichever
// SQLite build Qt's own driver carries.
Esito<QList<Colonna>> colonneRisultato(const Connessione& connessione, const QString& sqlJet)
{
    sqlite3* grezzo = nullptr;
    const int aperto = sqlite3_open_v2(connessione.file().toUtf8().constData(), &grezzo,
                                       SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(grezzo, sqlite3_close);
    if (aperto != SQLITE_OK)
        return Errore{db ? QString::fromUtf8(sqlite3_errmsg(db.get()))
                         : QString::fromUtf8(sqlite3_errstr(aperto))};
    sqlite3_busy_timeout(db.get(), 5000);

    const QByteArray sql = adattaSql(sqlJet).toUtf8();
    sqlite3_stmt* grezzaIstruzione = nullptr;
    if (sqlite3_prepare_v2(db.get(), sql.constData(), static_cast<int>(sql.size()),
                           &grezzaIstruzione, nullptr) != SQLITE_OK)
        return Errore{QString::fromUtf8(sqlite3_errmsg(db.get()))};
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> istruzione(grezzaIstruzione,
                                                                           sqlite3_finalize);
    QList<Colonna> colonne;
    if (!istruzione) // only blanks or a comment
        return colonne;
    const int n = sqlite3_column_count(istruzione.get());
    for (int i = 0; i < n; ++i) {
        const char* dichiarato = sqlite3_column_decltype(istruzione.get(), i);
        colonne.append(
            {QString::fromUtf8(sqlite3_column_name(istruzione.get(), i)),
             dichiarato ? tipoDaDichiarato(QString::fromUtf8(dichiarato)) : TipoCampo::Testo});
    }
    return colonne;
}
