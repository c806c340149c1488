#pragma once

#include <QString>
#include <QStringList>

// Opens a document (help PDF, error report, written PDF) in the program the
// system associates with it, as the user would by double-clicking it.
namespace Documenti {
// False when the system found no program to open it with (a fresh desktop
// may have none for a .TXT): the caller may then show it another way.
bool apri(const QString& percorso);
// Starts another program without waiting; errors are ignored.
void avvia(const QString& programma, const QStringList& argomenti);

// What opens and starts them: the system, unless another is put in its place.
class Sistema
{
public:
    virtual ~Sistema() = default;
    virtual bool apri(const QString& percorso) = 0;
    virtual void avvia(const QString& programma, const QStringList& argomenti) = 0;
};

// From now on documents and programs go to `sistema` (nullptr: the system
// again); returns the one it replaces, for the caller to put back.
Sistema* sostituisci(Sistema* sistema);
} // namespace Documenti
