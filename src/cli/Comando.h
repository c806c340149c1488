#pragma once

#include <QString>
#include <QStringList>

class QTextStream;
struct Ambiente;

// Exit codes shared by every command.
namespace Uscita {
constexpr int fatto = 0;
constexpr int erroriNeiDati = 1; // done, with data errors reported (e.g. rows in ERRORE_IMPORT.TXT)
constexpr int fallito = 2;       // nothing done; the message is on standard error
} // namespace Uscita

// One command of zefirante-cli.
class Comando
{
public:
    virtual ~Comando() = default;
    virtual QString nome() const = 0;
    virtual QString uso() const = 0;         // "agenzie", "salva --agenzia CF [--output FILE]"
    virtual QString descrizione() const = 0; // one line, Italian
    virtual int esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                       QTextStream& err) = 0;
};
