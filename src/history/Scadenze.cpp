#include "history/Scadenze.h"

#include "registry/ArchivioAgenzie.h"

namespace Scadenze {

QDate scadenza(int anno, int mese)
{
    return QDate(anno, mese, 15).addMonths(1);
}

void mesePrecedente(const QDate& oggi, int& anno, int& mese)
{
    // January closes December of the year before.
    const QDate scorso = oggi.addMonths(-1);
    anno = scorso.year();
    mese = scorso.month();
}

Esito<QList<Riga>> elenco(const Connessione& connessione, int anno, int mese, const QDate& oggi)
{
    auto agenzie = ArchivioAgenzie::elenco(connessione);
    if (!agenzie)
        return Errore{agenzie.errore()};
    const QDate entro = scadenza(anno, mese);
    QList<Riga> righe;
    for (const ArchivioAgenzie::Voce& voce : agenzie.valore()) {
        auto ultimo = StoricoInvii::ultimo(connessione, voce.codice, anno, mese);
        if (!ultimo)
            return Errore{ultimo.errore()};
        Riga riga;
        riga.agenzia = voce.codice;
        riga.nome = voce.nome;
        riga.stato = StoricoInvii::stato(*ultimo);
        if (*ultimo)
            riga.file = (*ultimo)->percorso;
        riga.scadenza = entro;
        riga.giorni = static_cast<int>(oggi.daysTo(entro));
        righe << riga;
    }
    return righe;
}

} // namespace Scadenze
