#include "cli/OpzioniComunicazione.h"

#include "base/Orologio.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

Opzione OpzioniComuni::agenzia()
{
    return Opzione::conValore(QStringLiteral("agenzia"), QStringLiteral("CF"),
                              QStringLiteral("codice fiscale dell'agenzia registrata"));
}

Opzione OpzioniComuni::output()
{
    return Opzione::conValore(QStringLiteral("output"), QStringLiteral("FILE"),
                              QStringLiteral("file della comunicazione da scrivere"));
}

Opzione OpzioniComuni::anno()
{
    return Opzione::conValore(QStringLiteral("anno"), QStringLiteral("AAAA"),
                              QStringLiteral("anno della comunicazione (predefinito: quello del "
                                             "mese scorso)"));
}

Opzione OpzioniComuni::mese()
{
    return Opzione::conValore(QStringLiteral("mese"), QStringLiteral("MM"),
                              QStringLiteral("mese della comunicazione, da 1 a 12 (predefinito: "
                                             "il mese scorso)"));
}

Opzione OpzioniComuni::sovrascrivi()
{
    return Opzione::interruttore({QStringLiteral("sovrascrivi")},
                                 QStringLiteral("sostituisce il file di --output se esiste già"));
}

Esito<DatiAgenzia> AgenziaDelPeriodo(const Connessione& connessione, const Argomenti& opzioni)
{
    const QDate meseScorso = Orologio::oggi().addMonths(-1);
    const QString testoAnno = opzioni.ha(QStringLiteral("anno"))
                                  ? opzioni.valore(QStringLiteral("anno"))
                                  : QString::number(meseScorso.year());
    const QString testoMese = opzioni.ha(QStringLiteral("mese"))
                                  ? opzioni.valore(QStringLiteral("mese"))
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

    auto agenzia = LeggiAgenzia(connessione, CodiceAgenzia(opzioni));
    if (!agenzia)
        return agenzia;
    DatiAgenzia dati = std::move(agenzia).valore();
    dati.anno = QString::number(anno);
    // OAM wants the month in two digits.
    dati.mese = QStringLiteral("%1").arg(mese, 2, 10, QLatin1Char('0'));
    return dati;
}

QString CodiceAgenzia(const Argomenti& opzioni)
{
    return opzioni.valore(QStringLiteral("agenzia")).trimmed().toUpper();
}

EsitoVuoto ControllaSovrascrittura(const QString& percorso, bool sovrascrivi)
{
    if (!sovrascrivi && QFileInfo::exists(percorso))
        return Errore{QStringLiteral("Il file ") + QDir::toNativeSeparators(percorso) +
                      QStringLiteral(" esiste già: per sostituirlo aggiungere --sovrascrivi.")};
    return {};
}
