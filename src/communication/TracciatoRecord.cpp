#include "communication/TracciatoRecord.h"

#include "communication/DatiAgenzia.h"

QStringView Tracciato::valore(const DatiAgenzia& agenzia, DatoAgenzia dato, Fonte::PerAgenzia per)
{
    if ((per == Fonte::PerAgenzia::personaFisica && !agenzia.personaFisica) ||
        (per == Fonte::PerAgenzia::societa && agenzia.personaFisica))
        return {};
    switch (dato) {
    case DatoAgenzia::anno:
        return agenzia.anno;
    case DatoAgenzia::mese:
        return agenzia.mese;
    case DatoAgenzia::tipoInvio:
        return QStringView(&agenzia.tipoInvio, 1);
    case DatoAgenzia::codice:
        return agenzia.codiceFiscale.trimmed().isEmpty() ? agenzia.partitaIva
                                                         : agenzia.codiceFiscale;
    case DatoAgenzia::cognome:
        return agenzia.cognome;
    case DatoAgenzia::nome:
        return agenzia.nome;
    case DatoAgenzia::sesso:
        return agenzia.sesso;
    case DatoAgenzia::dataNascita:
        return agenzia.dataNascita;
    case DatoAgenzia::comuneNascita:
        return agenzia.comuneNascita;
    case DatoAgenzia::provinciaNascita:
        return agenzia.provinciaNascita;
    case DatoAgenzia::cittadinanza:
        return agenzia.cittadinanza;
    case DatoAgenzia::comuneDomicilio:
        return agenzia.comuneDomicilio;
    case DatoAgenzia::provinciaDomicilio:
        return agenzia.provinciaDomicilio;
    case DatoAgenzia::ragioneSociale:
        return agenzia.ragioneSociale;
    case DatoAgenzia::comuneSede:
        return agenzia.comuneSede;
    case DatoAgenzia::provinciaSede:
        return agenzia.provinciaSede;
    }
    return {};
}
