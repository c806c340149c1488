#pragma once

#include "base/Esito.h"
#include "storage/Connessione.h"

#include <QSqlError>

// A database transaction that rolls back unless committed: an operation that
// fails part-way leaves the database exactly as it was.
//
// It takes the write lock at its start (BEGIN IMMEDIATE), waiting out the
// connection's busy timeout while another program writes. A transaction that
// began by reading and then wrote would, against another program doing the
// same, be refused at once with "database is locked": SQLite will not wait
// when two readers both want to write, as one of them must give way.
class Transazione
{
public:
    explicit Transazione(const Connessione& connessione);
    ~Transazione();
    Transazione(const Transazione&) = delete;
    Transazione& operator=(const Transazione&) = delete;

    bool aperta() const { return m_aperta; }

    EsitoVuoto conferma();

private:
    // Runs BEGIN IMMEDIATE, COMMIT or ROLLBACK; on failure keeps the error.
    bool esegui(const QString& istruzione);

    QSqlDatabase m_db;
    QSqlError m_errore;
    bool m_aperta;
};
