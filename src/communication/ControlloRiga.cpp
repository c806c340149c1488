#include "communication/ControlloRiga.h"

#include "base/Date.h"
#include "common/ControllaCF.h"
#include "communication/RapportoErrori.h"

#include <array>

const RegoleControllo RegoleControllo::excel{false, false,
                                             QStringLiteral("B20 (DIVISA ESTERA) CODICE ERRATO")};
const RegoleControllo RegoleControllo::csv{true, true, QStringLiteral("B20 (DIVISA ESTERA) ")};

namespace {

enum class Prova
{
    vuoto,         // fails when empty
    codiceFiscale, // fails when filled and not a valid codice fiscale
    data,          // fails unless a valid date (an empty date fails too)
    paese,         // fails when filled and not in CTAB "PAESI"
    divisa,        // fails when filled and not in CTAB "DIV"
};

struct Controllo
{
    int colonna; // from 0: column k of the sheet is field B(k+2)
    Prova prova;
    const char16_t* etichetta; // as the report writes it, trailing blanks included
};

// In the order the report lists them within a row.
constexpr std::array<Controllo, 21> kControlli = {{
    {0, Prova::vuoto, u"B3 (COGNOME) "},
    {1, Prova::vuoto, u"B4 (NOME) "},
    {2, Prova::vuoto, u"B5 (SESSO) "},
    {3, Prova::codiceFiscale, u"B6 (CODICE FISCALE)"},
    {4, Prova::data, u"B7 (DATA DI NASCITA) "},
    {5, Prova::vuoto, u"B8 (NOME) "},
    {6, Prova::vuoto, u"B9 (PROVINCIA DI NASCITA)"},
    {7, Prova::vuoto, u"B10 (PAESE DI RESIDENZA)"},
    {8, Prova::vuoto, u"B11 (SIGLA PAESE DI RESIDENZA)"},
    {8, Prova::paese, u"B11 (SIGLA PAESE DI RESIDENZA) CODICE ERRATO"},
    {9, Prova::vuoto, u"B12 (TIPO DOCUMENTO)"},
    {10, Prova::vuoto, u"B13 (NUMERO DOCUMENTO)"},
    {11, Prova::data, u"B14 (DATA DI SCADENZA DOCUMENTO)"},
    {12, Prova::vuoto, u"B15 (AUTORITA RILASCIO DOCUMENTO)"},
    {13, Prova::vuoto, u"B16 (LUOGO DI RILASCIO DOCUMENTO)"},
    {14, Prova::data, u"B17 (DATA OPERAZIONE)"},
    {15, Prova::vuoto, u"B18 (LUOGO OPERAZIONE) "},
    {16, Prova::vuoto, u"B19 (TIPO OPERAZIONE)"},
    {17, Prova::vuoto, u"B20 (DIVISA ESTERA)"},
    {17, Prova::divisa, nullptr}, // label depends on the kind of sheet
    {21, Prova::vuoto, u"B24 (IDENTIFICATIVO TRANSAZIONE)"},
}};

// QChar::isSpace, with the common letters and digits answered at once.
inline bool spazio(QChar c)
{
    const char16_t u = c.unicode();
    if (u > 0x20 && u < 0x85)
        return false;
    return c.isSpace();
}

bool fallisce(Prova prova, QString& valore, const CodiciControllo& codici)
{
    switch (prova) {
    case Prova::vuoto:
        return valore.isEmpty();
    case Prova::codiceFiscale:
        return !valore.isEmpty() && ControllaCF(valore) != 0;
    case Prova::data:
        // May rewrite the value to its eight digits: the report shows it so.
        return ControllaData(valore) != 2;
    case Prova::paese:
        return !valore.isEmpty() && !codici.paesi.contiene(valore);
    case Prova::divisa:
        return !valore.isEmpty() && !codici.divise.contiene(valore);
    }
    return false;
}

// The same on a value of an ASCII line; a date that passes points at its
// eight digits in `cifre` afterwards, as the record wants it.
bool fallisce(Prova prova, QLatin1StringView& valore, char (&cifre)[8],
              const CodiciControllo& codici)
{
    switch (prova) {
    case Prova::vuoto:
        return valore.isEmpty();
    case Prova::codiceFiscale:
        return !valore.isEmpty() && ControllaCF(valore) != 0;
    case Prova::data:
        if (ControllaData(valore, cifre) != 2)
            return true;
        valore = QLatin1StringView(cifre, 8);
        return false;
    case Prova::paese:
        return !valore.isEmpty() && !codici.paesi.contiene(valore);
    case Prova::divisa:
        return !valore.isEmpty() && !codici.divise.contiene(valore);
    }
    return false;
}

// The white space QChar::isSpace sees among the ASCII characters.
// Letters, digits and signs are all above the blank: one comparison answers
// for nearly every character.
constexpr bool spazioAscii(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' && (u == ' ' || (u >= '\t' && u <= '\r'));
}

QLatin1StringView ripulito(QLatin1StringView valore)
{
    const char* inizio = valore.data();
    const char* fine = inizio + valore.size();
    while (inizio < fine && spazioAscii(*inizio))
        ++inizio;
    while (fine > inizio && spazioAscii(fine[-1]))
        --fine;
    return QLatin1StringView(inizio, fine - inizio);
}

} // namespace

bool RigaAsciiSenzaErrori(std::array<QLatin1StringView, kColonneFoglio>& valori, DateAscii& date,
                          const CodiciControllo& codici)
{
    for (QLatin1StringView& valore : valori) {
        // Most values have nothing to trim.
        if (!valore.isEmpty() &&
            (spazioAscii(valore.data()[0]) || spazioAscii(valore.data()[valore.size() - 1])))
            valore = ripulito(valore);
    }
    for (const Controllo& controllo : kControlli) {
        const auto colonna = static_cast<std::size_t>(controllo.colonna);
        if (fallisce(controllo.prova, valori[colonna], date.cifre[colonna], codici))
            return false;
    }
    return true;
}

Esito<CodiciControllo> CodiciControllo::carica(const Connessione& connessione)
{
    auto paesi = TabellaCodici::carica(connessione, QStringLiteral("PAESI"));
    if (!paesi)
        return Errore{paesi.errore()};
    auto divise = TabellaCodici::carica(connessione, QStringLiteral("DIV"));
    if (!divise)
        return Errore{divise.errore()};
    return CodiciControllo{std::move(paesi).valore(), std::move(divise).valore()};
}

namespace {

// The checks on `valori`, the row's own values (CSV) or a copy (Excel).
EsitoVuoto controllaValori(std::span<QString, kColonneFoglio> valori, RigaFoglio& riga,
                           const RegoleControllo& regole, const CodiciControllo& codici,
                           RapportoErrori& rapporto, ColonneFallite& falliti)
{
    for (QString& valore : valori) {
        // Most values have nothing to trim; looking through a view spares
        // the text's check for a shared buffer.
        const QStringView testo(valore);
        if (!testo.isEmpty() && (spazio(testo.front()) || spazio(testo.back())))
            valore = std::move(valore).trimmed();
    }

    // The subject text is built only for a row that has something to report.
    const std::span<QString, kColonneFoglio> nomi =
        regole.soggettoDaValoriRipuliti ? valori : FoglioOperazioni::valori(riga);
    QString soggetto;
    QString messaggio;

    for (const Controllo& controllo : kControlli) {
        QString& valore = valori[controllo.colonna];
        if (!fallisce(controllo.prova, valore, codici)) {
            // A date typed as text in a workbook ("12-05-1980", "12/05/80") goes into the
            // record as the eight digits the check read it as: cutting only its slashes would
            // send OAM "12-05-19" or "120580  " for a date the check just accepted.
            if (controllo.prova == Prova::data && !regole.scriveValoriRipuliti)
                riga.valori[controllo.colonna] = valore;
            continue;
        }
        falliti.set(static_cast<std::size_t>(controllo.colonna));
        if (soggetto.isEmpty())
            soggetto = QStringLiteral(" - Soggetto: ") + nomi[0] + QLatin1Char(' ') + nomi[1];
        const QStringView etichetta = controllo.etichetta
                                          ? QStringView(controllo.etichetta)
                                          : QStringView(regole.etichettaDivisaErrata);
        const QStringView valoreErrato(u" Valore errato: ");
        // Room for the whole line at once; the row's next error reuses it.
        messaggio.resize(0);
        messaggio.reserve(etichetta.size() + valoreErrato.size() + valore.size() + soggetto.size());
        messaggio += etichetta;
        messaggio += valoreErrato;
        messaggio += valore;
        messaggio += soggetto;
        if (auto esito = rapporto.ScriviErrore(riga.numero, messaggio); !esito)
            return esito;
    }
    return {};
}

} // namespace

EsitoVuoto ControllaRiga(RigaFoglio& riga, const RegoleControllo& regole,
                         const CodiciControllo& codici, RapportoErrori& rapporto,
                         ColonneFallite* falliti)
{
    ColonneFallite nessuna;
    ColonneFallite& colonne = falliti ? *falliti : nessuna;
    colonne.reset();
    const std::span<QString, kColonneFoglio> valori = FoglioOperazioni::valori(riga);
    if (regole.scriveValoriRipuliti)
        return controllaValori(valori, riga, regole, codici, rapporto, colonne);
    std::array<QString, kColonneFoglio> copia;
    std::copy(valori.begin(), valori.end(), copia.begin());
    return controllaValori(copia, riga, regole, codici, rapporto, colonne);
}
