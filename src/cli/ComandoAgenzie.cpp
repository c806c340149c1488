#include "cli/ComandoAgenzie.h"

#include "registry/ArchivioAgenzie.h"
#include "shell/Ambiente.h"

#include <QTextStream>

int ComandoAgenzie::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                           QTextStream& err)
{
    if (segnalaErrore(argomenti.soloOpzioni(), err))
        return Uscita::fallito;
    const auto elenco = ArchivioAgenzie::elenco(ambiente.db());
    if (segnalaErrore(elenco, err))
        return Uscita::fallito;
    for (const ArchivioAgenzie::Voce& voce : elenco.valore())
        out << voce.codice << ';' << voce.nome << '\n';
    out.flush();
    return Uscita::fatto;
}
