#pragma once

#include "base/Esito.h"
#include "history/StoricoInvii.h"

#include <QDate>
#include <QList>
#include <QString>

class Connessione;

// What is due: OAM wants each month's communication by the 15th of the
// following month.
namespace Scadenze {

struct Riga
{
    QString agenzia; // OCOD
    QString nome;    // ORAG, as the agency list shows it
    StoricoInvii::Stato stato = StoricoInvii::Stato::mancante;
    QString file;   // the latest communication of the month, empty when missing
    QDate scadenza; // the 15th of the following month
    int giorni = 0; // days left (negative: overdue) from `oggi`
};

QDate scadenza(int anno, int mese);
// The month just closed on `oggi` (the one before it).
void mesePrecedente(const QDate& oggi, int& anno, int& mese);

// Every agency, in the order of the agency list, with the state of that month.
Esito<QList<Riga>> elenco(const Connessione& connessione, int anno, int mese, const QDate& oggi);

} // namespace Scadenze
