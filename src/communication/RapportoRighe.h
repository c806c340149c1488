#pragma once

#include "base/Esito.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <memory>

// A report of the import written a line per finding about a sheet's rows:
// ERRORE_IMPORT.TXT (failed checks) and AVVISI_IMPORT.TXT (advice). Both are
// Windows-1252 lines ending in CR LF: a heading with the report's title and
// the sheet, then " Riga: N" + the kind of line + the message, then dashes.
// The file is created by the run's first line, so a run without any leaves
// an older report untouched; it replaces the older report only when `chiudi`
// completes it, so the file on disk is never a report cut short.
class RapportoRighe
{
public:
    // What tells one report from the other: the title line of the heading
    // and the words between the row number and the message.
    struct Forma
    {
        const char16_t* titolo;
        const char* voce;
    };

    // `percorso` is the report's file, `foglio` the sheet named in its heading.
    RapportoRighe(QString percorso, QString foglio, Forma forma);
    ~RapportoRighe() = default; // an unfinished report is discarded
    RapportoRighe(const RapportoRighe&) = delete;
    RapportoRighe& operator=(const RapportoRighe&) = delete;

    // Writes " Riga: N" + the kind of line + messaggio, after the heading
    // when this is the run's first line.
    EsitoVuoto scrivi(int riga, const QString& messaggio);

    bool presente() const { return m_file != nullptr; }
    // The lines written so far, heading and closing apart.
    qint64 righe() const { return m_righe; }
    const QString& percorso() const { return m_percorso; }

    // Ends a run that wrote lines with the closing line and puts the report in
    // place; does nothing otherwise. Without this call (a run that failed)
    // the older report stays as it was.
    EsitoVuoto chiudi();

private:
    EsitoVuoto scriviRiga(const QString& testo);

    QString m_percorso;
    QString m_foglio;
    Forma m_forma;
    std::unique_ptr<QSaveFile> m_file;
    bool m_chiuso = false;
    qint64 m_righe = 0;
    QByteArray m_riga; // the line being written, its buffer kept from line to line
};
