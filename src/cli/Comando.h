#pragma once

#include "base/Esito.h"
#include "cli/Argomenti.h"

#include <QList>
#include <QString>
#include <QTextStream>
#include <utility>

struct Ambiente;

// Exit codes shared by every command.
namespace Uscita {
constexpr int fatto = 0;
constexpr int erroriNeiDati = 1; // done, with data errors reported (e.g. rows in ERRORE_IMPORT.TXT)
constexpr int fallito = 2;       // nothing done; the message is on standard error
} // namespace Uscita

// True when `esito` failed, its message then on standard error.
template <typename T> bool segnalaErrore(const Esito<T>& esito, QTextStream& err)
{
    if (esito)
        return false;
    err << esito.errore() << Qt::endl;
    return true;
}

// One command of zefirante-cli. It declares its options; the program reads
// them (and --help, which prints the command's help) before the command runs.
class Comando
{
public:
    virtual ~Comando() = default;
    virtual QString nome() const = 0;
    virtual QString uso() const = 0;         // "agenzie", "salva --agenzia CF [--output FILE]"
    virtual QString descrizione() const = 0; // one line, Italian, in the list of commands
    // Its options, in the order its help lists them.
    virtual QList<Opzione> opzioni() const { return {}; }
    // Its positional arguments, for its help only: "FILE" and what it is.
    virtual QList<std::pair<QString, QString>> posizionali() const { return {}; }
    // The line that closes its help.
    virtual QString nota() const { return descrizione() + QLatin1Char('.'); }
    virtual int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                       QTextStream& err) = 0;
};
