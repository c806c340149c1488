#include "cli/ComandoVuota.h"

#include "cli/OpzioniComunicazione.h"
#include "cli/RegistraInvio.h"
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
    const QStringList obbligatorie{QStringLiteral("agenzia"), QStringLiteral("output")};
    if (segnalaErrore(argomenti.soloOpzioni(obbligatorie), err))
        return Uscita::fallito;
    auto agenzia = AgenziaDelPeriodo(ambiente.db(), argomenti);
    if (segnalaErrore(agenzia, err))
        return Uscita::fallito;
    const QString percorso = argomenti.valore(QStringLiteral("output"));
    if (segnalaErrore(
            ControllaSovrascrittura(percorso, argomenti.ha(QStringLiteral("sovrascrivi"))), err))
        return Uscita::fallito;
    if (segnalaErrore(CreaVuota(*agenzia, percorso), err))
        return Uscita::fallito;
    RegistraInvio(ambiente.db(), CodiceAgenzia(argomenti), *agenzia, StoricoInvii::Tipo::vuota,
                  percorso, 0, 0, err);
    out << "Comunicazione " << percorso << " creata con successo." << Qt::endl;
    return Uscita::fatto;
}
