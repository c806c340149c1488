#include "cli/ComandoScadenze.h"

#include "base/Orologio.h"
#include "history/Scadenze.h"
#include "shell/Ambiente.h"

#include <QDir>
#include <QRegularExpression>

namespace {

struct Mese
{
    int anno = 0;
    int mese = 0;
};

// "2026-11"; without the option, the month just closed.
Esito<Mese> meseRichiesto(const Argomenti& argomenti)
{
    Mese scelto;
    if (!argomenti.ha(QStringLiteral("mese"))) {
        Scadenze::mesePrecedente(Orologio::oggi(), scelto.anno, scelto.mese);
        return scelto;
    }
    const QString testo = argomenti.valore(QStringLiteral("mese")).trimmed();
    static const QRegularExpression forma(QStringLiteral("^(\\d{4})-(\\d{1,2})$"));
    const auto trovato = forma.match(testo);
    if (trovato.hasMatch()) {
        scelto.anno = trovato.captured(1).toInt();
        scelto.mese = trovato.captured(2).toInt();
    }
    if (!trovato.hasMatch() || scelto.anno < 1000 || scelto.mese < 1 || scelto.mese > 12)
        return Errore{QStringLiteral("Mese non valido: ") + testo +
                      QStringLiteral(" (nella forma AAAA-MM)")};
    return scelto;
}

} // namespace

QList<Opzione> ComandoScadenze::opzioni() const
{
    return {Opzione::conValore(QStringLiteral("mese"), QStringLiteral("AAAA-MM"),
                               QStringLiteral("mese della comunicazione (predefinito: il mese "
                                              "scorso)"))};
}

QString ComandoScadenze::nota() const
{
    return QStringLiteral(
        "Una riga per agenzia: OCOD;ORAG;STATO;FILE, STATO uno di CREATA, VUOTA, CON ERRORI, "
        "MANCANTE (conta l'ultima comunicazione del mese; FILE vuoto se manca). Codice di "
        "uscita 1 se un'agenzia è MANCANTE o CON ERRORI.");
}

int ComandoScadenze::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                            QTextStream& err)
{
    if (segnalaErrore(argomenti.soloOpzioni(), err))
        return Uscita::fallito;
    const auto mese = meseRichiesto(argomenti);
    if (segnalaErrore(mese, err))
        return Uscita::fallito;
    const auto righe = Scadenze::elenco(ambiente.db(), mese->anno, mese->mese, Orologio::oggi());
    if (segnalaErrore(righe, err))
        return Uscita::fallito;
    bool daFare = false;
    for (const Scadenze::Riga& riga : righe.valore()) {
        out << riga.agenzia << ';' << riga.nome << ';'
            << StoricoInvii::testoStato(riga.stato).toUpper() << ';'
            << QDir::toNativeSeparators(riga.file) << '\n';
        daFare = daFare || !StoricoInvii::fatta(riga.stato);
    }
    out.flush();
    return daFare ? Uscita::erroriNeiDati : Uscita::fatto;
}
