#pragma once

#include <QString>
#include <QStringList>

// Opens a document (help PDF, error report, written PDF) in the program the
// system associates with it, as the user would by double-clicking it.
namespace Documenti {
// The outcome is not examined, as for a double click: a missing viewer shows nothing.
void apri(const QString& percorso);
// Starts another program without waiting; errors are ignored.
void avvia(const QString& programma, const QStringList& argomenti);
} // namespace Documenti

// While one exists nothing is opened or started: each request is recorded.
class ProvaDocumenti
{
public:
    ProvaDocumenti();
    ~ProvaDocumenti();
    ProvaDocumenti(const ProvaDocumenti&) = delete;
    ProvaDocumenti& operator=(const ProvaDocumenti&) = delete;

    const QStringList& aperti() const;
    const QStringList& avviati() const;
};
