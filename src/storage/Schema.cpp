#include "storage/Schema.h"

#include "storage/Connessione.h"
#include "storage/Transazione.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace {

Esito<QString> leggiRisorsa(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return Errore{QStringLiteral("Risorsa mancante: %1").arg(percorso)};
    return QString::fromUtf8(file.readAll());
}

EsitoVuoto eseguiSchema(const Connessione& connessione)
{
    auto testo = leggiRisorsa(QStringLiteral(":/schema.sql"));
    if (!testo)
        return Errore{testo.errore()};
    QStringList righe;
    for (const QString& riga : testo.valore().split(QLatin1Char('\n'))) {
        if (!riga.trimmed().startsWith(QLatin1String("--")))
            righe << riga;
    }
    for (const QString& istruzione : righe.join(QLatin1Char('\n')).split(QLatin1Char(';'))) {
        if (istruzione.trimmed().isEmpty())
            continue;
        QSqlQuery query(connessione.database());
        if (!query.exec(istruzione))
            return Errore{Connessione::descrizione(query.lastError())};
    }
    return {};
}

// Loads a shipped CSV (header line first, ";" separated) into the given columns.
EsitoVuoto caricaCsv(const Connessione& connessione, const QString& risorsa,
                     const QString& sqlInserimento, int campi)
{
    auto testo = leggiRisorsa(risorsa);
    if (!testo)
        return Errore{testo.errore()};
    QSqlQuery query(connessione.database());
    if (!query.prepare(sqlInserimento))
        return Errore{Connessione::descrizione(query.lastError())};
    const QStringList righe = testo.valore().split(QLatin1Char('\n'));
    for (qsizetype i = 1; i < righe.size(); ++i) {
        const QString riga = righe[i].trimmed();
        if (riga.isEmpty())
            continue;
        const QStringList valori = riga.split(QLatin1Char(';'));
        for (int c = 0; c < campi; ++c)
            query.bindValue(c, c < valori.size() ? valori[c] : QString());
        if (!query.exec())
            return Errore{Connessione::descrizione(query.lastError())};
    }
    return {};
}

} // namespace

QStringList Tabelle::tutte()
{
    return {COPE, CTAB, COPERA, CNOTEV, CANA, T_COMUNI, T_COMUNICF};
}

EsitoVuoto creaDatabase(const Connessione& connessione)
{
    Transazione transazione(connessione);
    // Busy past the timeout: nothing is written outside the transaction.
    if (!transazione.aperta())
        return transazione.conferma();
    if (auto esito = eseguiSchema(connessione); !esito)
        return esito;
    const struct
    {
        const char* risorsa;
        const char* sql;
        int campi;
    } dati[] = {
        {":/riferimento/comuni.csv", "INSERT INTO T_COMUNI (COMUNE, PRO, CAB) VALUES (?, ?, ?)", 3},
        {":/riferimento/comunicf.csv",
         "INSERT INTO T_COMUNICF (DESCRIZION, CD_PROV, KEY_TAB) VALUES (?, ?, ?)", 3},
        {":/riferimento/paesi.csv", "INSERT INTO CTAB (TIPO, COD, DES) VALUES ('PAESI', ?, ?)", 2},
    };
    for (const auto& d : dati) {
        if (auto esito = caricaCsv(connessione, QString::fromLatin1(d.risorsa),
                                   QString::fromLatin1(d.sql), d.campi);
            !esito)
            return esito;
    }
    return transazione.conferma();
}

EsitoVuoto verificaSchema(const Connessione& connessione)
{
    QSqlQuery query(connessione.database());
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table'")))
        return Errore{Connessione::descrizione(query.lastError())};
    QStringList presenti;
    while (query.next())
        presenti << query.value(0).toString().toUpper();
    for (const QString& tabella : Tabelle::tutte()) {
        if (!presenti.contains(tabella))
            return Errore{QStringLiteral("Il database %1 non contiene la tabella %2.")
                              .arg(connessione.file(), tabella)};
    }
    return {};
}
