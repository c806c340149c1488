#pragma once

#include "base/Esito.h"

#include <QSaveFile>
#include <QString>
#include <memory>

// ERRORE_IMPORT.TXT, the report of the rows of a sheet that failed a check.
// Windows-1252 lines ending in CR LF. It is created by the first error of a
// run, so a run without errors leaves an older report untouched; it replaces
// the older report only when `chiudi` completes it, so the file on disk is
// never a report cut short.
class RapportoErrori
{
public:
    // `percorso` is the report's file, `foglio` the sheet named in its heading.
    RapportoErrori(QString percorso, QString foglio);
    ~RapportoErrori() = default; // an unfinished report is discarded
    RapportoErrori(const RapportoErrori&) = delete;
    RapportoErrori& operator=(const RapportoErrori&) = delete;

    // Writes " Riga: N - Errore nel campo " + messaggio, after the heading
    // when this is the run's first error.
    EsitoVuoto ScriviErrore(int riga, const QString& messaggio);

    bool erroriPresenti() const { return m_file != nullptr; }
    // The error lines written so far.
    qint64 righe() const { return m_righe; }
    const QString& percorso() const { return m_percorso; }

    // Ends a run with errors with the closing line and puts the report in
    // place; does nothing for a run without errors. Without this call (a run
    // that failed) the older report stays as it was.
    EsitoVuoto chiudi();

private:
    EsitoVuoto scriviRiga(const QString& testo);

    QString m_percorso;
    QString m_foglio;
    std::unique_ptr<QSaveFile> m_file;
    bool m_chiuso = false;
    qint64 m_righe = 0;
    QByteArray m_riga; // the line being written, its buffer kept from error to error
};
