#pragma once

#include "base/Esito.h"

#include <QString>

class Connessione;

// The reporting agency and the period, as the header record of the
// communication takes them. The agency window fills it from its fields (as
// shown there); the command line from the stored agency row.
struct DatiAgenzia
{
    QString anno;                       // four digits
    QString mese;                       // two digits ("9" goes out as "9 ")
    QChar tipoInvio = QLatin1Char('0'); // '0' ordinary, '1' substitutive

    QString codiceFiscale;      // OCF: the code the agency registered with OAM
    QString partitaIva;         // OPIVA: used when OCF is empty
    bool personaFisica = false; // PF; otherwise PNF (a company)

    // Natural person (PF).
    QString cognome;            // OCOG
    QString nome;               // ONOME
    QString sesso;              // OSEX
    QString dataNascita;        // ONDT, dd/mm/yyyy
    QString comuneNascita;      // ONCOM: municipality or foreign state of birth
    QString provinciaNascita;   // ONPRO
    QString cittadinanza;       // OCITTAD, "01=ITALIANA": OAM takes the two-digit code
    QString comuneDomicilio;    // ODCOM
    QString provinciaDomicilio; // ODPRO

    // Company (PNF).
    QString ragioneSociale; // ORAG
    QString comuneSede;     // OSCOM: municipality of the registered office
    QString provinciaSede;  // OSPRO
};

// The stored agency with code `codice` (OCOD); the period and the kind of
// sending are left to the caller. An unknown code is an error.
Esito<DatiAgenzia> LeggiAgenzia(const Connessione& connessione, const QString& codice);
