#pragma once

#include "base/Esito.h"
#include "communication/DatiAgenzia.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class Connessione;

// The options of a command: "--nome valore" pairs and "--nome" switches.
struct OpzioniComando
{
    QHash<QString, QString> valori;
    QSet<QString> interruttori;

    QString valore(const QString& nome) const { return valori.value(nome); }
    bool ha(const QString& nome) const
    {
        return valori.contains(nome) || interruttori.contains(nome);
    }
};

// Reads `argomenti` against the options a command knows; an unknown option,
// a missing value or a missing required option is an error.
Esito<OpzioniComando> LeggiOpzioni(const QStringList& argomenti, const QStringList& conValore,
                                   const QStringList& interruttori,
                                   const QStringList& obbligatorie);

// The agency of --agenzia with the period of --anno and --mese (by default
// the month before today's, as the agency window proposes it), for the
// header of a communication.
Esito<DatiAgenzia> AgenziaDelPeriodo(const Connessione& connessione, const OpzioniComando& opzioni);

// An existing --output is replaced only with --sovrascrivi, as the window
// asks before overwriting.
EsitoVuoto ControllaSovrascrittura(const QString& percorso, bool sovrascrivi);
