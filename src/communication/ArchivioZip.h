#pragma once

#include "common/Esito.h"

#include <QString>
#include <memory>

// Read access to the parts of a zip package (an .xlsx workbook is one). The
// file goes through QFile, so any path the system accepts opens, on Windows
// too; a part is streamed in blocks, never held whole.
class ArchivioZip
{
public:
    ArchivioZip();
    ~ArchivioZip();
    ArchivioZip(const ArchivioZip&) = delete;
    ArchivioZip& operator=(const ArchivioZip&) = delete;

    EsitoVuoto apri(const QString& percorso);
    bool contiene(const QString& nome);

    // Streaming: open one part, then read blocks until 0 (its end).
    EsitoVuoto apriParte(const QString& nome);
    Esito<qint64> leggiBlocco(char* destinazione, qint64 capienza);
    void chiudiParte();
    // The size of the package file.
    qint64 dimensioneFile() const;

private:
    struct Stato;
    std::unique_ptr<Stato> m_stato;
};
