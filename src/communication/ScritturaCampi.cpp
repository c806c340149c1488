#include "communication/ScritturaCampi.h"

#include "base/Cp1252.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace {

// Combining marks start at U+0300: below it no character composes with the
// next one, so normalisation can be skipped.
bool puoComporsi(QStringView testo)
{
    return std::any_of(testo.begin(), testo.end(), [](QChar c) { return c.unicode() >= 0x300; });
}

// The first `larghezza` characters, a surrogate pair counting as one.
QString primiCaratteri(const QString& testo, int larghezza)
{
    qsizetype i = 0;
    for (int contati = 0; i < testo.size() && contati < larghezza; ++contati) {
        if (testo.at(i).isHighSurrogate() && i + 1 < testo.size() &&
            testo.at(i + 1).isLowSurrogate())
            ++i;
        ++i;
    }
    return testo.left(i);
}

// A letter followed by a combining accent ("e" + U+0301) becomes the one
// accented letter the code page holds, instead of "E?".
QString composto(QString testo)
{
    return puoComporsi(testo) ? testo.normalized(QString::NormalizationForm_C) : testo;
}

// The text before the first comma, of a text or of a Latin-1 line's bytes:
// the whole part of an amount. Amounts are a few characters long, too short
// for a library search to pay.
template <typename Vista> Vista parteIntera(Vista valore)
{
    qsizetype i = 0;
    while (i < valore.size() && valore[i].unicode() != ',')
        ++i;
    return valore.left(i);
}

// Every character below 0x80, looked at four at a time.
bool tuttoAscii(QStringView testo)
{
    const char16_t* u = testo.utf16();
    const char16_t* const fine = u + testo.size();
    quint64 o = 0;
    for (; fine - u >= 4; u += 4) {
        quint64 parola;
        std::memcpy(&parola, u, 8);
        o |= parola;
    }
    for (; u < fine; ++u)
        o |= *u;
    return (o & 0xFF80FF80FF80FF80ULL) == 0;
}

bool tuttoAscii(QLatin1StringView testo)
{
    return Cp1252::soloAscii(QByteArrayView(testo.data(), testo.size()));
}

// The white space QChar::isSpace sees among the ASCII characters.
constexpr bool spazioAscii(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A blank or other white space at either end, as QStringView::trimmed sees it.
bool daRipulire(QStringView testo)
{
    const auto spazio = [](QChar c) {
        return (c.unicode() <= 0x20 || c.unicode() >= 0x85) && c.isSpace();
    };
    return !testo.isEmpty() && (spazio(testo.front()) || spazio(testo.back()));
}

constexpr bool controllo(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

static_assert(kByteAscii.testo[1][u'a'] == 'A' && kByteAscii.testo[0][u'a'] == 'a' &&
              kByteAscii.testo[1][u'\t'] == ' ' && kByteAscii.testo[1][0x7F] == ' ');

// The long road of a value with characters beyond ASCII: upper-cased,
// composed, cut and encoded as the code page allows. Kept out of line so the
// ASCII road stays a small function.
Q_NEVER_INLINE void mettiConvertito(char* campo, int larghezza, QStringView testo, bool maiuscolo);

} // namespace

QString TagliaCampo(QStringView valore, int larghezza)
{
    return primiCaratteri(composto(valore.toString().toUpper()), larghezza);
}

Esito<QString> RiempiSinistra(QStringView valore, int larghezza, QChar riempimento)
{
    const QStringView intera = parteIntera(valore);
    if (intera.size() > larghezza)
        return Errore{QStringLiteral("il valore \"%1\" supera i %2 caratteri del campo")
                          .arg(intera.toString())
                          .arg(larghezza)};
    QString risultato(larghezza - intera.size(), riempimento);
    risultato += intera;
    return risultato;
}

Esito<QString> RiempiSinistra(qint64 valore, int larghezza, QChar riempimento)
{
    return RiempiSinistra(QString::number(valore), larghezza, riempimento);
}

QString DataSenzaBarre(QStringView valore)
{
    QString testo = valore.trimmed().toString();
    testo.remove(QLatin1Char('/'));
    return testo;
}

BufferRecord::BufferRecord() : m_byte(kLunghezzaRecord, ' '), m_dati(m_byte.data()) {}

BufferRecord::BufferRecord(char* destinazione) : m_dati(destinazione)
{
    std::fill_n(m_dati, kLunghezzaRecord, ' ');
}

void BufferRecord::metti(int posizione, int larghezza, QStringView testo, bool maiuscolo)
{
    Q_ASSERT(posizione >= 1 && posizione - 1 + larghezza <= kLunghezzaRecord);
    char* campo = m_dati + posizione - 1;

    // Nearly every value of a sheet is plain ASCII: it is placed through the
    // table of its bytes; only a value with other characters takes the long
    // road. A character past the field's width counts too: it may compose
    // with the last one placed (a combining accent).
    if (tuttoAscii(testo)) {
        const qsizetype n = std::min<qsizetype>(testo.size(), larghezza);
        const char* const tabella = kByteAscii.testo[maiuscolo ? 1 : 0];
        const char16_t* const u = testo.utf16();
        for (qsizetype i = 0; i < n; ++i)
            campo[i] = tabella[u[i]];
        return;
    }

    mettiConvertito(campo, larghezza, testo, maiuscolo);
}

void BufferRecord::mettiData(int posizione, int larghezza, QStringView data)
{
    if (daRipulire(data))
        data = data.trimmed();
    // Without the "/" a date the sheet wrote in full has its eight digits;
    // anything longer is cut by the field anyway.
    if (tuttoAscii(data)) {
        char* campo = m_dati + posizione - 1;
        const char* const tabella = kByteAscii.testo[1];
        const char16_t* const u = data.utf16();
        int n = 0;
        for (qsizetype i = 0; i < data.size() && n < larghezza; ++i) {
            if (u[i] != u'/')
                campo[n++] = tabella[u[i]];
        }
        return;
    }
    constexpr int kMassimo = 16;
    char16_t cifre[kMassimo];
    int n = 0;
    for (const QChar c : data) {
        if (c != QLatin1Char('/') && n < kMassimo)
            cifre[n++] = c.unicode();
    }
    metti(posizione, larghezza, QStringView(cifre, n), true);
}

void BufferRecord::mettiData(int posizione, int larghezza, QLatin1StringView data)
{
    // A date the check has already turned to its eight digits, as every date
    // of a checked row is, goes in as it stands.
    if (data.size() == larghezza &&
        std::all_of(data.begin(), data.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        std::memcpy(m_dati + posizione - 1, data.data(), static_cast<size_t>(larghezza));
        return;
    }
    if (!tuttoAscii(data)) {
        mettiDataLatin1(posizione, larghezza, data);
        return;
    }
    const char* inizio = data.data();
    const char* fine = inizio + data.size();
    while (inizio < fine && spazioAscii(*inizio))
        ++inizio;
    while (fine > inizio && spazioAscii(fine[-1]))
        --fine;
    char* campo = m_dati + posizione - 1;
    const char* const tabella = kByteAscii.testo[1];
    int n = 0;
    for (const char* p = inizio; p < fine && n < larghezza; ++p) {
        if (*p != '/')
            campo[n++] = tabella[static_cast<unsigned char>(*p)];
    }
}

template <typename Vista>
bool BufferRecord::mettiParteIntera(int posizione, int larghezza, Vista intera)
{
    if (intera.size() > larghezza)
        return false;
    const qsizetype zeri = larghezza - intera.size();
    std::fill_n(m_dati + posizione - 1, zeri, '0');
    metti(posizione + static_cast<int>(zeri), static_cast<int>(intera.size()), intera);
    return true;
}

bool BufferRecord::mettiNumero(int posizione, int larghezza, QLatin1StringView numero)
{
    return mettiParteIntera(posizione, larghezza, parteIntera(numero));
}

bool BufferRecord::mettiNumero(int posizione, int larghezza, QStringView numero)
{
    return mettiParteIntera(posizione, larghezza, parteIntera(numero));
}

bool BufferRecord::mettiIntero(int posizione, int larghezza, qint64 numero)
{
    // The digits as QString::number writes them, without a text of their own.
    char cifre[24];
    const auto fine = std::to_chars(std::begin(cifre), std::end(cifre), numero).ptr;
    const auto n = static_cast<int>(fine - cifre);
    if (n > larghezza)
        return false;
    char* campo = m_dati + posizione - 1;
    std::fill_n(campo, larghezza - n, '0');
    std::copy(cifre, fine, campo + larghezza - n);
    return true;
}

namespace {

void mettiConvertito(char* campo, int larghezza, QStringView testo, bool maiuscolo)
{
    QString preparato = maiuscolo ? TagliaCampo(testo, larghezza)
                                  : primiCaratteri(composto(testo.toString()), larghezza);
    for (QChar& c : preparato) {
        if (controllo(c.unicode()))
            c = QLatin1Char(' ');
    }
    // One byte per character, so the field never outgrows its width.
    const QByteArray byte = Cp1252::codifica(preparato);
    std::copy_n(byte.constData(), std::min<qsizetype>(byte.size(), larghezza), campo);
}

} // namespace

void BufferRecord::mettiLatin1(char* campo, int larghezza, QLatin1StringView testo, bool maiuscolo)
{
    std::fill_n(campo, std::min<qsizetype>(testo.size(), larghezza), ' ');
    mettiConvertito(campo, larghezza, QString(testo), maiuscolo);
}

void BufferRecord::mettiDataLatin1(int posizione, int larghezza, QLatin1StringView data)
{
    mettiData(posizione, larghezza, QString(data));
}
