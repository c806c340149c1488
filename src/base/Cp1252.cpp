#include "base/Cp1252.h"

#include <array>
#include <cstring>

namespace {

// Bytes 0x80-0x9F: the only range where Windows-1252 differs from Latin-1.
constexpr std::array<char16_t, 32> kAlti = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

int byteDiveroCarattere(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (size_t i = 0; i < kAlti.size(); ++i) {
        if (kAlti[i] == c)
            return static_cast<int>(0x80 + i);
    }
    return -1;
}

// Letters whose stroke or bar is part of the letter, so that Unicode gives
// them no decomposition: their plain base letter.
int lettereConTratto(char16_t c)
{
    switch (c) {
    case 0x0110:
        return 'D'; // Đ
    case 0x0111:
        return 'd'; // đ
    case 0x0126:
        return 'H'; // Ħ
    case 0x0127:
        return 'h'; // ħ
    case 0x0131:
        return 'i'; // ı
    case 0x0141:
        return 'L'; // Ł
    case 0x0142:
        return 'l'; // ł
    case 0x0166:
        return 'T'; // Ŧ
    case 0x0167:
        return 't'; // ŧ
    case 0x0180:
        return 'b'; // ƀ
    case 0x0197:
        return 'I'; // Ɨ
    case 0x01B5:
        return 'Z'; // Ƶ
    case 0x01B6:
        return 'z'; // ƶ
    default:
        return -1;
    }
}

// The base letter of a character with diacritics, when the base fits.
int byteSenzaDiacritici(QChar c)
{
    if (const int tratto = lettereConTratto(c.unicode()); tratto > 0)
        return tratto;
    const QString scomposto = QString(c).normalized(QString::NormalizationForm_KD);
    if (scomposto.isEmpty())
        return -1;
    const int base = byteDiveroCarattere(scomposto.at(0).unicode());
    return base > 0 ? base : -1;
}

} // namespace

int Cp1252::byteDi(char16_t carattere)
{
    return byteDiveroCarattere(carattere);
}

void Cp1252::codificaIn(QStringView testo, QByteArray& destinazione)
{
    // One byte per character at most: room for all of them at once, the
    // unused tail cut at the end.
    const qsizetype prima = destinazione.size();
    destinazione.resize(prima + testo.size());
    char* out = destinazione.data() + prima;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo.at(i);
        int b = byteDiveroCarattere(c.unicode());
        if (b < 0 && c.isHighSurrogate() && i + 1 < testo.size() &&
            testo.at(i + 1).isLowSurrogate())
            ++i; // a character beyond the BMP is one character: one "?"
        else if (b < 0)
            b = byteSenzaDiacritici(c);
        *out++ = b < 0 ? '?' : static_cast<char>(b);
    }
    destinazione.resize(out - destinazione.constData());
}

QByteArray Cp1252::codifica(QStringView testo)
{
    QByteArray risultato;
    risultato.reserve(testo.size());
    codificaIn(testo, risultato);
    return risultato;
}

QString Cp1252::decodifica(QByteArrayView byte)
{
    QString risultato;
    decodificaIn(byte, risultato);
    return risultato;
}

void Cp1252::decodificaIn(QByteArrayView byte, QString& destinazione)
{
    destinazione.resize(byte.size());
    QChar* out = destinazione.data();
    for (const char ch : byte) {
        const auto b = static_cast<unsigned char>(ch);
        *out++ = QChar(b >= 0x80 && b < 0xA0 ? kAlti[b - 0x80] : char16_t(b));
    }
}

bool Cp1252::soloAscii(QByteArrayView byte)
{
    const char* p = byte.data();
    const char* const fine = p + byte.size();
    quint64 o = 0;
    for (; fine - p >= 8; p += 8) {
        quint64 parola;
        std::memcpy(&parola, p, 8);
        o |= parola;
    }
    for (; p < fine; ++p)
        o |= static_cast<unsigned char>(*p);
    return (o & 0x8080808080808080ULL) == 0;
}
