#pragma once

#include "base/Esito.h"

#include <QString>
#include <memory>

class QIODevice;

// Read access to the parts of a zip package (an .xlsx workbook is one),
// through a QIODevice: a file (any path the system accepts, on Windows too)
// or bytes in memory. A part is streamed in blocks, never held whole.
class ArchivioZip
{
public:
    ArchivioZip();
    ~ArchivioZip();
    ArchivioZip(const ArchivioZip&) = delete;
    ArchivioZip& operator=(const ArchivioZip&) = delete;

    // `dispositivo` is open for reading and can seek; `nome` names it in messages.
    EsitoVuoto apri(std::unique_ptr<QIODevice> dispositivo, const QString& nome);
    bool contiene(const QString& nome);

    // Streaming: open one part, then read blocks until 0 (its end).
    EsitoVuoto apriParte(const QString& nome);
    Esito<qint64> leggiBlocco(char* destinazione, qint64 capienza);
    // The open part's size once inflated, as the package states it.
    qint64 dimensioneParte();
    void chiudiParte();

private:
    struct Stato;
    std::unique_ptr<Stato> m_stato;
};
