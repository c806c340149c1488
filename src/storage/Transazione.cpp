#include "storage/Transazione.h"

#include <QSqlQuery>

Transazione::Transazione(const Connessione& connessione)
    : m_db(connessione.database()), m_aperta(esegui(QStringLiteral("BEGIN IMMEDIATE")))
{
}

Transazione::~Transazione()
{
    if (m_aperta)
        esegui(QStringLiteral("ROLLBACK"));
}

EsitoVuoto Transazione::conferma()
{
    if (!m_aperta)
        return Errore{QStringLiteral("Transazione non aperta: ") +
                      Connessione::descrizione(m_errore)};
    m_aperta = false;
    if (!esegui(QStringLiteral("COMMIT"))) {
        const QString descrizione = Connessione::descrizione(m_errore);
        esegui(QStringLiteral("ROLLBACK"));
        return Errore{descrizione};
    }
    return {};
}

bool Transazione::esegui(const QString& istruzione)
{
    // Qt's own transaction() says only "BEGIN", which takes no lock until the first write.
    QSqlQuery query(m_db);
    if (query.exec(istruzione))
        return true;
    m_errore = query.lastError();
    return false;
}
