#pragma once

#include "base/Esito.h"
#include "storage/Connessione.h"

#include <QSqlError>

// A database transaction that rolls back unless committed: an operation that
// fails part-way leaves the database exactly as it was.
class Transazione
{
public:
    explicit Transazione(const Connessione& connessione)
        : m_db(connessione.database()), m_aperta(m_db.transaction())
    {
    }
    ~Transazione()
    {
        if (m_aperta)
            m_db.rollback();
    }
    Transazione(const Transazione&) = delete;
    Transazione& operator=(const Transazione&) = delete;

    bool aperta() const { return m_aperta; }

    EsitoVuoto conferma()
    {
        if (!m_aperta)
            return Errore{QStringLiteral("Transazione non aperta: ") +
                          Connessione::descrizione(m_db.lastError())};
        m_aperta = false;
        if (!m_db.commit()) {
            const QString descrizione = Connessione::descrizione(m_db.lastError());
            m_db.rollback();
            return Errore{descrizione};
        }
        return {};
    }

private:
    QSqlDatabase m_db;
    bool m_aperta;
};
