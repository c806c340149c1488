#include "cli/ComandoVuota.h"

#include "cli/OpzioniComunicazione.h"
#include "communication/CreaVuota.h"
#include "shell/Ambiente.h"

#include <QTextStream>

QList<Opzione> ComandoVuota::opzioni() const
{
    return {OpzioniComuni::agenzia(), OpzioniComuni::output(), OpzioniComuni::anno(),
            OpzioniComuni::mese(), OpzioniComuni::sovrascrivi()};
}

int ComandoVuota::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                         QTextStream& err)
{
    if (auto lette = argomenti.soloOpzioni({QStringLiteral("agenzia"), QStringLiteral("output")});
        !lette) {
        err << lette.errore() << Qt::endl;
        return Uscita::fallito;
    }
    auto agenzia = AgenziaDelPeriodo(ambiente.db(), argomenti);
    if (!agenzia) {
        err << agenzia.errore() << Qt::endl;
        return Uscita::fallito;
    }
    const QString percorso = argomenti.valore(QStringLiteral("output"));
    if (auto esito = ControllaSovrascrittura(percorso, argomenti.ha(QStringLiteral("sovrascrivi")));
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
