#include "shell/Ambiente.h"

#include "printing/ElenchiAnnuali.h"

ElenchiAnnuali::ContestoStampa contestoStampa(const Ambiente& ambiente)
{
    return {.cartellaApplicazione = ambiente.cartella,
            .stringaConnessione = ambiente.stringaConnessione,
            .codiceAgenzia = ambiente.agenziaCorrente.codice,
            .nomeAgenzia = ambiente.agenziaCorrente.nome};
}
