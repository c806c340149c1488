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

    // Opens the database file, creating it with the schema and the reference
    // data when it does not exist yet. A file that is not a usable database
    // gives an error with its description.
    static Esito<std::unique_ptr<Connessione>> apri(const QString& file);
    // Opens an existing file only (another installation's database).
    static Esito<std::unique_ptr<Connessione>> apriEsistente(const QString& file);

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

    // The text of the last database error, for messages.
    static QString descrizione(const class QSqlError& errore);

private:
    Connessione(QString nome, QString file);
    static Esito<std::unique_ptr<Connessione>> apriFile(const QString& file, bool creaSeManca);

    QString m_nome;
    QString m_file;
};
