#include "communication/DatiAgenzia.h"

#include "registry/ArchivioAgenzie.h"

Esito<DatiAgenzia> LeggiAgenzia(const Connessione& connessione, const QString& codice)
{
    auto letta = ArchivioAgenzie::carica(connessione, codice);
    if (!letta)
        return Errore{letta.errore()};
    if (!letta.valore())
        return Errore{QStringLiteral("Agenzia non trovata: ") + codice};

    // The stored row as the agency window shows it: a Null column is empty text.
    const Agenzia& a = *letta.valore();
    DatiAgenzia dati;
    dati.codiceFiscale = a.ocf;
    dati.partitaIva = a.opiva;
    dati.personaFisica = a.ostp.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
    if (dati.personaFisica) {
        dati.cognome = a.ocog;
        dati.nome = a.onome;
        dati.sesso = a.osex;
        dati.dataNascita = a.ondt;
        dati.comuneNascita = a.oncom;
        dati.provinciaNascita = a.onpro;
        dati.cittadinanza = a.ocittad;
        dati.comuneDomicilio = a.odcom;
        dati.provinciaDomicilio = a.odpro;
    } else {
        dati.comuneSede = a.oscom;
        dati.provinciaSede = a.ospro;
    }
    dati.ragioneSociale = a.orag;
    return dati;
}
