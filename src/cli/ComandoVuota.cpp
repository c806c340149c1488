#include "cli/ComandoVuota.h"

#include "cli/OpzioniComunicazione.h"
#include "communication/CreaVuota.h"
#include "shell/Ambiente.h"

#include <QTextStream>

int ComandoVuota::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                         QTextStream& err)
{
    auto opzioni = LeggiOpzioni(argomenti,
                                {QStringLiteral("--agenzia"), QStringLiteral("--output"),
                                 QStringLiteral("--anno"), QStringLiteral("--mese")},
                                {QStringLiteral("--sovrascrivi")},
                                {QStringLiteral("--agenzia"), QStringLiteral("--output")});
    if (!opzioni) {
        err << opzioni.errore() << Qt::endl;
        return Uscita::fallito;
    }
    auto agenzia = AgenziaDelPeriodo(ambiente.db(), *opzioni);
    if (!agenzia) {
        err << agenzia.errore() << Qt::endl;
        return Uscita::fallito;
    }
    const QString percorso = opzioni->valore(QStringLiteral("--output"));
    if (auto esito =
            ControllaSovrascrittura(percorso, opzioni->ha(QStringLiteral("--sovrascrivi")));
        !esito) {
        err << esito.errore() << Qt::endl;
        return Uscita::fallito;
    }
    if (auto esito = CreaVuota(*agenzia, percorso); !esito) {
        err << esito.errore() << Qt::endl;
        return Uscita::fallito;
    }
    out << "Comunicazione " << percorso << " creata con successo." << Qt::endl;
    return Uscita::fatto;
}
