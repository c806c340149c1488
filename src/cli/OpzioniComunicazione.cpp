#include "cli/OpzioniComunicazione.h"

#include "base/Orologio.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

Esito<OpzioniComando> LeggiOpzioni(const QStringList& argomenti, const QStringList& conValore,
                                   const QStringList& interruttori, const QStringList& obbligatorie)
{
    OpzioniComando opzioni;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti[i];
        if (interruttori.contains(a)) {
            opzioni.interruttori.insert(a);
        } else if (conValore.contains(a)) {
            if (++i == argomenti.size())
                return Errore{QStringLiteral("Manca il valore dopo ") + a + QLatin1Char('.')};
            opzioni.valori.insert(a, argomenti[i]);
        } else {
            return Errore{QStringLiteral("Argomento non previsto: ") + a};
        }
    }
    for (const QString& nome : obbligatorie) {
        if (!opzioni.ha(nome))
            return Errore{QStringLiteral("Manca l'opzione ") + nome + QLatin1Char('.')};
    }
    return opzioni;
}

Esito<DatiAgenzia> AgenziaDelPeriodo(const Connessione& connessione, const OpzioniComando& opzioni)
{
    const QDate meseScorso = Orologio::oggi().addMonths(-1);
    const QString testoAnno = opzioni.ha(QStringLiteral("--anno"))
                                  ? opzioni.valore(QStringLiteral("--anno"))
                                  : QString::number(meseScorso.year());
    const QString testoMese = opzioni.ha(QStringLiteral("--mese"))
                                  ? opzioni.valore(QStringLiteral("--mese"))
                                  : QString::number(meseScorso.month());
    bool annoOk = false, meseOk = false;
    const int anno = testoAnno.toInt(&annoOk);
    const int mese = testoMese.toInt(&meseOk);
    if (!annoOk || testoAnno.size() != 4 || anno < 1000)
        return Errore{QStringLiteral("Anno non valido: ") + testoAnno +
                      QStringLiteral(" (quattro cifre)")};
    if (!meseOk || mese < 1 || mese > 12)
        return Errore{QStringLiteral("Mese non valido: ") + testoMese +
                      QStringLiteral(" (da 1 a 12)")};

    auto agenzia =
        LeggiAgenzia(connessione, opzioni.valore(QStringLiteral("--agenzia")).trimmed().toUpper());
    if (!agenzia)
        return agenzia;
    DatiAgenzia dati = std::move(agenzia).valore();
    dati.anno = QString::number(anno);
    // OAM wants the month in two digits.
    dati.mese = QStringLiteral("%1").arg(mese, 2, 10, QLatin1Char('0'));
    return dati;
}

EsitoVuoto ControllaSovrascrittura(const QString& percorso, bool sovrascrivi)
{
    if (!sovrascrivi && QFileInfo::exists(percorso))
        return Errore{QStringLiteral("Il file ") + QDir::toNativeSeparators(percorso) +
                      QStringLiteral(" esiste già: per sostituirlo aggiungere --sovrascrivi.")};
    return {};
}
