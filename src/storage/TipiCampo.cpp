#include "storage/TipiCampo.h"

#include "storage/Connessione.h"

#include <QSqlError>
#include <QSqlQuery>

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
