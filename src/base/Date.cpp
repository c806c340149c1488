#include "base/Date.h"

#include "base/FormatoItaliano.h"

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace {

constexpr qsizetype LunghezzaMinima = 6;
constexpr qsizetype LunghezzaMassima = 10;
constexpr int Cifre = 8;

constexpr bool eCifra(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Two characters of the work text as a number; a blank on either side is
// allowed, two blanks are no number (-1).
int numero(char16_t primo, char16_t secondo)
{
    if (eCifra(primo) && eCifra(secondo))
        return (primo - u'0') * 10 + (secondo - u'0');
    if (eCifra(primo) && secondo == u' ')
        return primo - u'0';
    if (primo == u' ' && eCifra(secondo))
        return secondo - u'0';
    return -1;
}

bool bisestile(int anno)
{
    return (anno % 4 == 0 && anno % 100 != 0) || anno % 400 == 0;
}

int giorniDelMese(int mese, int anno)
{
    static constexpr int Giorni[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return (mese == 2 && bisestile(anno)) ? 29 : Giorni[mese - 1];
}

// Writes the work text into the value only when it differs, so a value that
// already holds its eight digits costs nothing.
void riscrivi(QString& valore, const char16_t (&lavoro)[Cifre])
{
    if (valore.size() == Cifre && std::equal(lavoro, lavoro + Cifre, QStringView(valore).utf16()))
        return;
    valore.resize(Cifre);
    std::copy(std::begin(lavoro), std::end(lavoro), reinterpret_cast<char16_t*>(valore.data()));
}

void scriviNormalizzata(QString* dataNormalizzata, const char16_t (&lavoro)[Cifre])
{
    if (!dataNormalizzata)
        return;
    const char16_t testo[10] = {lavoro[0], lavoro[1], u'/',      lavoro[2], lavoro[3],
                                u'/',      lavoro[4], lavoro[5], lavoro[6], lavoro[7]};
    // resize keeps the buffer, so a caller that reuses its text allocates once.
    dataNormalizzata->resize(10);
    std::copy(std::begin(testo), std::end(testo),
              reinterpret_cast<char16_t*>(dataNormalizzata->data()));
}

} // namespace

namespace {

// What the check makes of a value: its result and, once it got as far, the
// eight characters the value is rewritten to.
struct Esame
{
    int esito = 0;
    bool riscritta = false;
    char16_t lavoro[Cifre] = {u' ', u' ', u' ', u' ', u' ', u' ', u' ', u' '};
};

template <typename Testo> bool uguale(Testo valore, const char* atteso, qsizetype lunghezza)
{
    if (valore.size() != lunghezza)
        return false;
    for (qsizetype i = 0; i < lunghezza; ++i) {
        if (valore[i].unicode() != static_cast<unsigned char>(atteso[i]))
            return false;
    }
    return true;
}

// The usual form "dd/mm/yyyy", its eight digits taken from their places: what
// the general reading of the digits gives, without a test per character.
template <typename Testo> bool dataConBarre(Testo valore, char16_t (&lavoro)[Cifre])
{
    if (valore.size() != 10 || valore[2].unicode() != u'/' || valore[5].unicode() != u'/')
        return false;
    static constexpr int kPosti[Cifre] = {0, 1, 3, 4, 6, 7, 8, 9};
    char16_t cifre[Cifre];
    for (int i = 0; i < Cifre; ++i) {
        cifre[i] = valore[kPosti[i]].unicode();
        if (!eCifra(cifre[i]))
            return false;
    }
    std::copy(std::begin(cifre), std::end(cifre), lavoro);
    return true;
}

// The check on any view of characters: texts, and the bytes of an ASCII line.
template <typename Testo> Esame esamina(Testo valore)
{
    Esame esame;
    // A time-only cell with no time in it reads "0.00.00" or "00:00:00".
    if (valore.isEmpty() || uguale(valore, "0.00.00", 7) || uguale(valore, "00:00:00", 8))
        return esame;
    esame.esito = 1;
    if (valore.size() < LunghezzaMinima || valore.size() > LunghezzaMassima)
        return esame;

    char16_t(&lavoro)[Cifre] = esame.lavoro;
    if (!dataConBarre(valore, lavoro)) {
        int trovate = 0;
        for (qsizetype i = 0; i < valore.size(); ++i) {
            const char16_t c = valore[i].unicode();
            if (!eCifra(c))
                continue;
            if (trovate == Cifre)
                return esame;
            lavoro[trovate++] = c;
        }
    }

    // At most six digits: ddmmyy, with the century that a two-digit year calls for.
    esame.riscritta = true;
    if (lavoro[6] == u' ' && lavoro[7] == u' ') {
        const int anno2 = numero(lavoro[4], lavoro[5]);
        if (anno2 < 0)
            return esame;
        lavoro[6] = lavoro[4];
        lavoro[7] = lavoro[5];
        lavoro[4] = anno2 >= 30 ? u'1' : u'2';
        lavoro[5] = anno2 >= 30 ? u'9' : u'0';
    }

    const int mese = numero(lavoro[2], lavoro[3]);
    if (mese < 1 || mese > 12)
        return esame;
    // Five or seven digits leave a blank in the year ("01/02/199" would read as
    // the year "199 "): no date to keep.
    if (!std::all_of(lavoro + 4, lavoro + 8, eCifra))
        return esame;
    const int anno = (lavoro[4] - u'0') * 1000 + (lavoro[5] - u'0') * 100 +
                     (lavoro[6] - u'0') * 10 + (lavoro[7] - u'0');
    const int giorno = numero(lavoro[0], lavoro[1]);
    if (giorno < 1 || giorno > giorniDelMese(mese, anno))
        return esame;
    esame.esito = 2;
    return esame;
}

} // namespace

int ControllaData(QString& valore, QString* dataNormalizzata)
{
    if (dataNormalizzata)
        dataNormalizzata->resize(0);
    const Esame esame = esamina(QStringView(valore));
    if (esame.riscritta)
        riscrivi(valore, esame.lavoro);
    if (esame.esito == 2)
        scriviNormalizzata(dataNormalizzata, esame.lavoro);
    return esame.esito;
}

int ControllaData(QLatin1StringView valore, char (&cifre)[8])
{
    const Esame esame = esamina(valore);
    if (esame.esito == 2)
        std::copy(std::begin(esame.lavoro), std::end(esame.lavoro), cifre);
    return esame.esito;
}

namespace {

// Spreadsheets and older databases count days from 30/12/1899; a value below
// one day is a time of day alone.
const QDate& origineSeriale()
{
    static const QDate origine(1899, 12, 30);
    return origine;
}

QString testoNumero(double numero)
{
    if (!std::isfinite(numero))
        return {};
    // Whole numbers (codes, years, amounts in units) without decimals or exponent.
    if (std::floor(numero) == numero && std::fabs(numero) < 1e15)
        return QString::number(static_cast<qint64>(numero));
    QString testo = QString::number(numero, 'g', QLocale::FloatingPointShortest);
    testo.replace(QLatin1Char('.'), QLatin1Char(','));
    return testo;
}

QString testoMomento(const QDateTime& momento)
{
    if (!momento.isValid())
        return {};
    if (momento.date() == origineSeriale())
        return momento.time().toString(QStringLiteral("HH:mm:ss"));
    return FormatoItaliano::dataOra(momento);
}

QDate dataDaTesto(const QString& testo)
{
    // dd/mm/yyyy (or yy), with "/", "-" or "."; an optional time after it.
    static const QRegularExpression italiana(QStringLiteral(
        R"(^(\d{1,2})[/.\-](\d{1,2})[/.\-](\d{4}|\d{2})(?:[ T]+\d{1,2}[:.]\d{2}(?:[:.]\d{2}(?:[.,]\d+)?)?)?$)"));
    // yyyy-mm-dd as the database stores dates, possibly with a time.
    static const QRegularExpression iso(QStringLiteral(
        R"(^(\d{4})[\-/](\d{1,2})[\-/](\d{1,2})(?:[ T]+\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?(?:Z|[+\-]\d{2}:?\d{2})?)?$)"));

    if (const auto m = italiana.match(testo); m.hasMatch()) {
        int anno = m.capturedView(3).toInt();
        // Two-digit years follow the usual window: 30-99 are 1900s, 00-29 2000s.
        if (m.capturedView(3).size() == 2)
            anno += anno >= 30 ? 1900 : 2000;
        return QDate(anno, m.capturedView(2).toInt(), m.capturedView(1).toInt());
    }
    if (const auto m = iso.match(testo); m.hasMatch())
        return QDate(m.capturedView(1).toInt(), m.capturedView(2).toInt(),
                     m.capturedView(3).toInt());
    return {};
}

QDate dataDaValore(const QVariant& valore)
{
    switch (valore.metaType().id()) {
    case QMetaType::QDate:
        return valore.toDate();
    case QMetaType::QDateTime:
        return valore.toDateTime().date();
    case QMetaType::QTime:
        return {};
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        const double giorni = valore.toDouble();
        if (!std::isfinite(giorni) || std::fabs(giorni) > 3e6)
            return {};
        return origineSeriale().addDays(static_cast<qint64>(std::trunc(giorni)));
    }
    default:
        return dataDaTesto(valore.toString().trimmed());
    }
}

} // namespace

QString TestoCampo(const QVariant& valore)
{
    if (valore.isNull())
        return {};
    switch (valore.metaType().id()) {
    case QMetaType::QDate:
        return FormatoItaliano::data(valore.toDate());
    case QMetaType::QDateTime:
        return testoMomento(valore.toDateTime());
    case QMetaType::QTime:
        return valore.toTime().toString(QStringLiteral("HH:mm:ss"));
    case QMetaType::Double:
    case QMetaType::Float:
        return testoNumero(valore.toDouble());
    default:
        return valore.toString().trimmed();
    }
}

QString FormattaData(const QVariant& valore)
{
    if (TestoCampo(valore).isEmpty())
        return {};
    const QDate data = dataDaValore(valore);
    // A time of day alone is kept on the first day of the count, in 1899.
    if (!data.isValid() || data.year() == 1899)
        return {};
    return FormatoItaliano::data(data);
}
