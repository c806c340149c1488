#include "storage/Ricerche.h"

#include "storage/Apici.h"

namespace {

// The titles begin with a blank, as the window shows them.
const QString TitoloComuni = QStringLiteral(" Elenco Comuni");
const QString TitoloNonResidenti = QStringLiteral(" Elenco Anagrafiche NON residenti");
const QString TitoloResidentiConIva =
    QStringLiteral(" Elenco Anagrafiche RESIDENTI Titolari di Partita IVA");
const QString TitoloResidentiSenzaIva =
    QStringLiteral(" Elenco Anagrafiche RESIDENTI NON Titolari di Partita IVA");

} // namespace

std::optional<Ricerca> DefinisciRicerca(const QString& tipo, const QString& codiceAgenzia)
{
    const QString codice = Sql::Apici(codiceAgenzia);
    if (tipo == QLatin1String("COMUN"))
        return Ricerca{
            QStringLiteral("SELECT T_COMUNI.COMUNE as Localita,T_COMUNI.PRO as Provincia, "
                           "T_COMUNI.CAB as Cab FROM T_COMUNI ORDER BY T_COMUNI.COMUNE "),
            TitoloComuni};
    if (tipo == QLatin1String("COMUNCF"))
        return Ricerca{QStringLiteral("SELECT DESCRIZION as Localita,CD_PROV as Provincia, "
                                      "KEY_TAB as Codice FROM T_COMUNIcf ORDER BY DESCRIZION "),
                       QStringLiteral(" Elenco Comuni di nascita (per controllo codice fiscale)")};
    if (tipo == QLatin1String("TSTA"))
        return Ricerca{
            QStringLiteral("SELECT CTAB.COD as Codice, CTAB.DES as Descrizione FROM CTAB "
                           "WHERE TIPO='PAESI'  ORDER BY CTAB.COD,CTAB.DES"),
            QStringLiteral(" Elenco Stati Esteri")};
    if (tipo == QLatin1String("ANAGRA"))
        return Ricerca{
            QStringLiteral(" SELECT ADES as Descrizione, ASTATO as Stato, ASTATOD as Estero "
                           "FROM COPERA WHERE OCOD= ") +
                codice +
                QStringLiteral(" AND ATIPO='3' GROUP BY ADES, ASTATO, ASTATOD ORDER BY ADES"),
            TitoloNonResidenti};
    if (tipo == QLatin1String("ANARES1"))
        return Ricerca{QStringLiteral(" SELECT ADES as Descrizione, ACF as [Codice Fiscale]  "
                                      "FROM COPERA WHERE OCOD= ") +
                           codice +
                           QStringLiteral(" AND ATIPO='1' GROUP BY ADES, ACF ORDER BY ADES"),
                       TitoloResidentiSenzaIva};
    if (tipo == QLatin1String("ANARES2"))
        return Ricerca{QStringLiteral(" SELECT ADES as Descrizione, APIVA as [Partita Iva]  "
                                      "FROM COPERA WHERE OCOD= ") +
                           codice +
                           QStringLiteral(" AND ATIPO='2' GROUP BY ADES, APIVA ORDER BY ADES"),
                       TitoloResidentiConIva};
    return std::nullopt;
}

QStringList ColonneDaRestituire(const QString& titolo)
{
    if (titolo == TitoloComuni)
        return {QStringLiteral("Localita"), QStringLiteral("Provincia")};
    if (titolo == TitoloNonResidenti)
        return {QStringLiteral("Descrizione"), QStringLiteral("Stato")};
    if (titolo == TitoloResidentiConIva)
        return {QStringLiteral("Descrizione"), QStringLiteral("Partita Iva")};
    if (titolo == TitoloResidentiSenzaIva)
        return {QStringLiteral("Descrizione"), QStringLiteral("Codice Fiscale")};
    return {QStringLiteral("Codice"), QStringLiteral("Descrizione")};
}
