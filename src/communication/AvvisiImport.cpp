#include "communication/AvvisiImport.h"

#include <QStringView>
#include <algorithm>
#include <optional>

namespace {

// Columns of the sheet, from 0: column k is field B(k+2).
constexpr int kCognome = 0;
constexpr int kNome = 1;
constexpr int kSesso = 2;
constexpr int kCodiceFiscale = 3;
constexpr int kNascita = 4;
constexpr int kScadenza = 11;
constexpr int kOperazione = 14;
constexpr int kPrimoImporto = 18;
constexpr int kUltimoImporto = 20;
constexpr int kIdentificativo = 21;

const char16_t* etichetta(int colonna)
{
    switch (colonna) {
    case kCognome:
        return u"B3 (COGNOME)";
    case kNome:
        return u"B4 (NOME)";
    case kCodiceFiscale:
        return u"B6 (CODICE FISCALE)";
    case kScadenza:
        return u"B14 (DATA DI SCADENZA DOCUMENTO)";
    case kOperazione:
        return u"B17 (DATA OPERAZIONE)";
    case kPrimoImporto:
        return u"B21 (IMPORTO)";
    case kPrimoImporto + 1:
        return u"B22 (IMPORTO)";
    case kUltimoImporto:
        return u"B23 (IMPORTO)";
    default:
        return u"B24 (IDENTIFICATIVO TRANSAZIONE)";
    }
}

template <typename Vista> char16_t carattere(Vista testo, qsizetype i)
{
    return testo[i].unicode();
}

template <typename Vista> int cifra(Vista testo, qsizetype i)
{
    return carattere(testo, i) - u'0';
}

constexpr bool eCifra(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

template <typename Vista> bool contieneCifre(Vista testo)
{
    for (qsizetype i = 0; i < testo.size(); ++i) {
        if (eCifra(carattere(testo, i)))
            return true;
    }
    return false;
}

// An accepted date's eight digits ddmmyyyy as yyyymmdd, which orders as dates do.
template <typename Vista> int comeNumero(Vista data)
{
    const auto due = [data](qsizetype i) { return cifra(data, i) * 10 + cifra(data, i + 1); };
    return (due(4) * 100 + due(6)) * 10000 + due(2) * 100 + due(0);
}

// OAM copies an amount's part before the first comma as it stands: a point of
// thousands ("1.500,75") or a sign goes into the file among the digits.
template <typename Vista> bool importoStrano(Vista importo)
{
    for (qsizetype i = 0; i < importo.size(); ++i) {
        const char16_t c = carattere(importo, i);
        if (c == u',')
            return false;
        if (!eCifra(c))
            return true;
    }
    return false;
}

// The birth date and sex a person's codice fiscale holds.
struct NascitaCodice
{
    int anno; // two digits
    int mese;
    int giorno;
    bool femmina;
};

constexpr char16_t maiuscola(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// A digit of the code; the office re-issuing a code for homonyms puts
// L M N P Q R S T U V for 0 to 9 in place of some digits. -1: neither.
constexpr int cifraCodice(char16_t c)
{
    if (eCifra(c))
        return c - u'0';
    constexpr char16_t kSostitute[] = u"LMNPQRSTUV";
    for (int i = 0; i < 10; ++i) {
        if (kSostitute[i] == c)
            return i;
    }
    return -1;
}

// Characters 7-11 of the code: yy, the month's letter, the day (plus 40 for
// a woman). Nothing when they cannot be read as a date.
template <typename Vista> std::optional<NascitaCodice> nascitaNelCodice(Vista codice)
{
    const auto cifraIn = [codice](qsizetype i) {
        return cifraCodice(maiuscola(carattere(codice, i)));
    };
    const int a1 = cifraIn(6), a2 = cifraIn(7), g1 = cifraIn(9), g2 = cifraIn(10);
    if (a1 < 0 || a2 < 0 || g1 < 0 || g2 < 0)
        return std::nullopt;
    constexpr char16_t kMesi[] = u"ABCDEHLMPRST";
    const char16_t lettera = maiuscola(carattere(codice, 8));
    int mese = 0;
    for (int i = 0; i < 12 && mese == 0; ++i) {
        if (kMesi[i] == lettera)
            mese = i + 1;
    }
    const int giorno = g1 * 10 + g2;
    const bool femmina = giorno > 40;
    const int delMese = femmina ? giorno - 40 : giorno;
    if (mese == 0 || delMese < 1 || delMese > 31)
        return std::nullopt;
    return NascitaCodice{a1 * 10 + a2, mese, delMese, femmina};
}

QString testo(QLatin1StringView valore)
{
    return QString(valore);
}

QString testo(QStringView valore)
{
    return valore.toString();
}

QByteArrayView chiave(QLatin1StringView identificativo, QByteArray&)
{
    // A line of the ASCII road holds ASCII only: its bytes are its UTF-8.
    return QByteArrayView(identificativo.data(), identificativo.size());
}

QByteArrayView chiave(QStringView identificativo, QByteArray& appoggio)
{
    appoggio = identificativo.toUtf8();
    return appoggio;
}

} // namespace

AvvisiImport::AvvisiImport(QString percorso, QString foglio, const QString& anno,
                           const QString& mese)
    : m_rapporto(percorso, std::move(foglio),
                 {u"CONTROLLO AVVISI - COMUNICAZIONE MENSILE OAM", " - Avviso nel campo "}),
      m_scrive(!percorso.isEmpty())
{
    bool meseNumero = false;
    const int m = mese.trimmed().toInt(&meseNumero);
    const QString a = anno.trimmed();
    const bool annoCifre = a.size() == 4 && std::all_of(a.begin(), a.end(), [](QChar c) {
                               return eCifra(c.unicode());
                           });
    if (meseNumero && annoCifre && m >= 1 && m <= 12) {
        m_periodo = QStringLiteral("%1/%2").arg(m, 2, 10, QLatin1Char('0')).arg(a);
        m_mese = (m_periodo.left(2) + a).toLatin1();
    }
}

template <typename Vista>
void AvvisiImport::avvisa(int riga, int colonna, Vista valore, const QString& motivo, Vista cognome,
                          Vista nome)
{
    ++m_numero;
    if (!m_scrive)
        return;
    const QString messaggio = QStringView(etichetta(colonna)).toString() +
                              QStringLiteral(" Valore: ") + testo(valore) + QStringLiteral(" - ") +
                              motivo + QStringLiteral(" - Soggetto: ") + testo(cognome) +
                              QLatin1Char(' ') + testo(nome);
    if (auto scritto = m_rapporto.scrivi(riga, messaggio); !scritto) {
        m_errore = scritto.errore();
        m_scrive = false; // the file is left unfinished, so it is discarded
    }
}

void AvvisiImport::chiudi()
{
    if (!m_scrive)
        return;
    if (auto chiuso = m_rapporto.chiudi(); !chiuso)
        m_errore = chiuso.errore();
}

template <typename Vista>
void AvvisiImport::esamina(int riga, const std::array<Vista, kColonneFoglio>& valori,
                           const ColonneFallite& falliti, Vista cognome, Vista nome)
{
    const auto valore = [&valori](int colonna) {
        return valori[static_cast<std::size_t>(colonna)];
    };
    const auto accettato = [&falliti](int colonna) {
        return !falliti.test(static_cast<std::size_t>(colonna));
    };
    // An accepted date is its eight digits ddmmyyyy.
    const auto data = [&](int colonna) {
        return accettato(colonna) && valore(colonna).size() == 8;
    };
    m_trovati.clear();

    for (const int colonna : {kCognome, kNome}) {
        if (accettato(colonna) && contieneCifre(valore(colonna)))
            m_trovati.push_back({colonna, QStringLiteral("contiene cifre")});
    }

    const Vista codice = valore(kCodiceFiscale);
    if (accettato(kCodiceFiscale) && codice.size() == 16) {
        const auto nascita = nascitaNelCodice(codice);
        const Vista b7 = valore(kNascita);
        // A code whose date cannot be read holds no date of birth of B7's.
        if (data(kNascita) && (!nascita || nascita->giorno != cifra(b7, 0) * 10 + cifra(b7, 1) ||
                               nascita->mese != cifra(b7, 2) * 10 + cifra(b7, 3) ||
                               nascita->anno != cifra(b7, 6) * 10 + cifra(b7, 7)))
            m_trovati.push_back({kCodiceFiscale, QStringLiteral("data di nascita diversa da B7")});
        const Vista b5 = valore(kSesso);
        const char16_t sesso = b5.size() == 1 ? maiuscola(carattere(b5, 0)) : u' ';
        if (nascita && accettato(kSesso) && (sesso == u'M' || sesso == u'F') &&
            (sesso == u'F') != nascita->femmina)
            m_trovati.push_back({kCodiceFiscale, QStringLiteral("sesso diverso da B5")});
    }

    if (data(kScadenza) && data(kOperazione) &&
        comeNumero(valore(kScadenza)) < comeNumero(valore(kOperazione)))
        m_trovati.push_back({kScadenza, QStringLiteral("documento scaduto prima dell'operazione")});

    if (data(kOperazione) && !m_mese.isEmpty()) {
        const Vista operazione = valore(kOperazione);
        bool nelMese = true;
        for (qsizetype i = 0; i < 6 && nelMese; ++i)
            nelMese = carattere(operazione, i + 2) == static_cast<char16_t>(m_mese[i]);
        if (!nelMese)
            m_trovati.push_back(
                {kOperazione,
                 QStringLiteral("data fuori dal mese della comunicazione ") + m_periodo});
    }

    for (int colonna = kPrimoImporto; colonna <= kUltimoImporto; ++colonna) {
        if (importoStrano(valore(colonna)))
            m_trovati.push_back(
                {colonna,
                 QStringLiteral("importo con caratteri diversi dalle cifre prima della virgola")});
    }

    if (accettato(kIdentificativo)) {
        const Vista identificativo = valore(kIdentificativo);
        if (const int prima = m_identificativi.registra(chiave(identificativo, m_chiave), riga))
            m_trovati.push_back(
                {kIdentificativo,
                 QStringLiteral("identificativo già usato alla riga %1").arg(prima)});
    }

    for (const Trovato& trovato : m_trovati)
        avvisa(riga, trovato.colonna, valore(trovato.colonna), trovato.motivo, cognome, nome);
}

void AvvisiImport::esamina(int riga, const std::array<QLatin1StringView, kColonneFoglio>& valori)
{
    esamina(riga, valori, ColonneFallite(), valori[kCognome], valori[kNome]);
}

void AvvisiImport::esamina(int riga, std::span<const QString, kColonneFoglio> valori,
                           const ColonneFallite& falliti)
{
    // A workbook's cells are as they stand; the advice, like the checks, reads them trimmed.
    std::array<QStringView, kColonneFoglio> ripuliti;
    for (std::size_t i = 0; i < ripuliti.size(); ++i)
        ripuliti[i] = QStringView(valori[i]).trimmed();
    esamina(riga, ripuliti, falliti, QStringView(valori[kCognome]), QStringView(valori[kNome]));
}
