#include "cli/ComandoRipristina.h"

#include "backup/RipristinaArchivio.h"
#include "shell/Ambiente.h"

#include <QDir>
#include <QTextStream>

int ComandoRipristina::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                              QTextStream& err)
{
    // The archive is the one argument after the command, taken as written: its
    // name may begin with a single "-", which would read as an option.
    const QStringList& resto = argomenti.resto();
    if (resto.size() != 1 || resto.first().startsWith(QLatin1String("--"))) {
        err << "Uso: zefirante-cli " << uso() << Qt::endl;
        return Uscita::fallito;
    }
    const QString& percorso = resto.first();
    const auto intestazione = LeggiIntestazione(percorso);
    if (segnalaErrore(intestazione, err))
        return Uscita::fallito;
    const auto esito = RipristinaArchivio(ambiente.db(), percorso, ambiente.cartella);
    if (segnalaErrore(esito, err))
        return Uscita::fallito;
    out << "Ripristino terminato: agenzia " << esito->codice << ", " << esito->righe << " righe.\n"
        << "Copia di sicurezza dei dati precedenti: "
        << QDir::toNativeSeparators(esito->copiaSicurezza) << Qt::endl;
    return Uscita::fatto;
}
