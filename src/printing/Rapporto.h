#pragma once

#include "printing/CodiceStampa.h"
#include "printing/DocumentoStampa.h"
#include "printing/SeguitoStampa.h"

#include <QHash>
#include <QString>
#include <memory>

// The report layer: a template file, named parameters, the SQL of each
// dataset and the connection string of each connection alias the template
// uses. Settings stay until they are set again; `esegui` reads the rows and
// keeps the list ready to draw, `salvaPdf` writes it as a PDF file.
//
// The layer opens its own connection from the connection string, as a report
// engine does, and closes it when the rows are read.
class Rapporto
{
public:
    // The template is read by `esegui`, so a missing or broken file is
    // reported there. Reading the path back gives the path last set; empty
    // means no template.
    void impostaFile(const QString& percorso) { m_file = percorso; }
    const QString& fileRapporto() const { return m_file; }

    void impostaParametro(const QString& nome, const QString& valore);
    void impostaSqlDataset(const QString& dataset, const QString& sql);
    void impostaConnessione(const QString& alias, const QString& stringaConnessione);

    // Reads the template and the rows. A dataset or alias set here that the
    // template does not declare is an error, like a template dataset
    // without SQL. It may run on any thread: its connection is its own.
    EsitoVuoto esegui(const SeguitoStampa& seguito = {});
    // The list of the last successful `esegui`, or null.
    const DocumentoStampa* documento() const { return m_documento.get(); }

    // `esegui`, then the PDF at `percorso`, written whole or not at all (an
    // existing file stays as it was when writing fails or the run is
    // stopped). Gives the page count.
    Esito<int> salvaPdf(const QString& percorso, const SeguitoStampa& seguito = {});

private:
    QString m_file;
    QHash<QString, QString> m_parametri;
    QHash<QString, QString> m_sql;         // by dataset name, upper-cased
    QHash<QString, QString> m_connessioni; // by alias, upper-cased
    std::unique_ptr<DocumentoStampa> m_documento;
};
