#include "printing/ElenchiAnnuali.h"

#include "printing/Rapporto.h"
#include "storage/Apici.h"

#include <QDir>
#include <QFileInfo>

bool ElenchiAnnuali::annoValido(const QString& anno)
{
    if (anno.size() != 4)
        return false;
    for (const QChar c : anno) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return anno.front() != QLatin1Char('0');
}

QString ElenchiAnnuali::descrizioneAgenzia(const QString& codice, const QString& nome)
{
    return codice + QLatin1Char(' ') + nome;
}

QString ElenchiAnnuali::fileModello(Elenco elenco, const QString& cartellaApplicazione)
{
    return QDir(cartellaApplicazione)
        .filePath(elenco == Elenco::Operazioni ? QStringLiteral("stampe/SPM_LOP.rep")
                                               : QStringLiteral("stampe/SPM_LNV.rep"));
}

QString ElenchiAnnuali::titolo(Elenco elenco, const QString& anno)
{
    return (elenco == Elenco::Operazioni
                ? QStringLiteral("ZEFIRANTE - Elenco OPERAZIONI ANNO ")
                : QStringLiteral("ZEFIRANTE - Elenco NOTE DI VARIAZIONE ANNO ")) +
           anno;
}

QString ElenchiAnnuali::SqlStampa(Elenco elenco, const QString& codiceAgenzia, const QString& anno)
{
    const QString dal = QLatin1Char('#') + anno + QStringLiteral("/01/01#");
    const QString al = QLatin1Char('#') + anno + QStringLiteral("/12/31#");
    const QString base = elenco == Elenco::Operazioni
                             ? QStringLiteral("SELECT * FROM COPERA WHERE  OCOD=")
                             : QStringLiteral("SELECT * FROM CNOTEV WHERE  OCOD=");
    return base + Sql::Apici(codiceAgenzia) + QStringLiteral(" AND (((ODATA)>=") + dal +
           QStringLiteral("  And (ODATA)<=") + al + QStringLiteral(")) ORDER BY ODATA, ADES");
}

QString ElenchiAnnuali::nomePdf(Elenco elenco, const QString& anno, const QString& codiceAgenzia)
{
    return QStringLiteral("ZEFIRANTE_") + anno + QLatin1Char('_') + codiceAgenzia +
           (elenco == Elenco::Operazioni ? QStringLiteral("_OPERAZIONI")
                                         : QStringLiteral("_NOTEVAR"));
}

QString ElenchiAnnuali::conEstensionePdf(const QString& percorso)
{
    if (!QFileInfo(percorso).suffix().isEmpty())
        return percorso;
    return percorso +
           (percorso.endsWith(QLatin1Char('.')) ? QStringLiteral("PDF") : QStringLiteral(".PDF"));
}

QString ElenchiAnnuali::PreparaStampa(Rapporto& rapporto, Elenco elenco, const QString& anno,
                                      const ContestoStampa& contesto)
{
    rapporto.impostaFile(fileModello(elenco, contesto.cartellaApplicazione));
    rapporto.impostaParametro(QStringLiteral("TESTAREP"), titolo(elenco, anno));
    const QString sql = SqlStampa(elenco, contesto.codiceAgenzia, anno);
    rapporto.impostaSqlDataset(QStringLiteral("DS"), sql);
    rapporto.impostaParametro(QStringLiteral("PODES"),
                              descrizioneAgenzia(contesto.codiceAgenzia, contesto.nomeAgenzia));
    rapporto.impostaConnessione(QStringLiteral("CONNESSIONE"), contesto.stringaConnessione);
    return sql;
}
