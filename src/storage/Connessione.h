#pragma once

#include "base/Esito.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <memory>
#include <utility>
#include <vector>

// One open database: the program keeps one for its whole run and every window
// and command works through it. Statements are given in the Jet dialect the
// program was written in and adapted to the engine here (see adattaSql).
class Connessione
{
public:
    using Valori = std::vector<std::pair<QString, QVariant>>;

    // Opens an SQLite file as it is, creating an empty one when it is missing.
    // The program's own database is opened through Database::apri, which
    // also lays or checks the schema.
    static Esito<std::unique_ptr<Connessione>> apriSqlite(const QString& file);

    ~Connessione();
    Connessione(const Connessione&) = delete;
    Connessione& operator=(const Connessione&) = delete;

    QSqlDatabase database() const;
    const QString& file() const { return m_file; }

    // Runs a statement, positioned before its first row when it returns rows.
    Esito<QSqlQuery> esegui(const QString& sqlJet) const;
    // True when the statement returns at least one row.
    Esito<bool> haRighe(const QString& sqlJet) const;

    // Adds a row; values are bound, never placed into the text.
    EsitoVuoto inserisci(const QString& tabella, const Valori& valori) const;
    // Changes the rows that `condizioneJet` selects.
    EsitoVuoto aggiorna(const QString& tabella, const Valori& valori,
                        const QString& condizioneJet) const;

    // How the report layer and sibling programs name a database:
    // "Driver=QSQLITE;Data Source=<file>", and back.
    static QString stringaConnessione(const QString& fileDatabase);
    static QString fileDaStringaConnessione(const QString& stringa);

    // The text of the last database error, for messages; the database kept busy by another
    // program past the timeout is said in Italian.
    static QString descrizione(const class QSqlError& errore);

private:
    Connessione(QString nome, QString file);
    // A statement of the engine's own dialect with `valori` bound in order.
    EsitoVuoto eseguiLegata(const QString& sql, const Valori& valori) const;

    QString m_nome;
    QString m_file;
};
