#include "common/ControllaCF.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

// The published tables of the check character, each value plus one, indexed by
// the character's position in its alphabet. At even positions a digit counts
// its own value and a letter its index from A = 0, so those tables need no
// string; the odd positions follow the irregular published table.
constexpr char16_t CifreDispari[] = u"10   2 3 4   5 6 7 8 9    ";
constexpr char16_t LettereDispari[] = u"BAKPLCQDREVOSFTGUHMINJWZYX";

// The position (from 1) of a character in a lookup string, 0 when absent.
constexpr int posizioneIn(const char16_t (&stringa)[27], char16_t carattere)
{
    for (int i = 0; i < 26; ++i) {
        if (stringa[i] == carattere)
            return i + 1;
    }
    return 0;
}

constexpr std::array<int, 10> tabellaCifreDispari()
{
    std::array<int, 10> valori{};
    for (int c = 0; c < 10; ++c)
        valori[static_cast<std::size_t>(c)] =
            posizioneIn(CifreDispari, static_cast<char16_t>(u'0' + c));
    return valori;
}

constexpr std::array<int, 26> tabellaLettereDispari()
{
    std::array<int, 26> valori{};
    for (int l = 0; l < 26; ++l)
        valori[static_cast<std::size_t>(l)] =
            posizioneIn(LettereDispari, static_cast<char16_t>(u'A' + l));
    return valori;
}

constexpr auto ValoriCifreDispari = tabellaCifreDispari();
constexpr auto ValoriLettereDispari = tabellaLettereDispari();

// The odd-position table as published: "0" counts 1, "1" counts 0, "A" 1, "X" 25.
static_assert(ValoriCifreDispari[0] == 2 && ValoriCifreDispari[1] == 1 &&
              ValoriCifreDispari[9] == 22);
static_assert(ValoriLettereDispari[0] == 2 && ValoriLettereDispari[1] == 1 &&
              ValoriLettereDispari[23] == 26);

constexpr bool eCifra(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

constexpr bool eLettera(char16_t c)
{
    return c >= u'A' && c <= u'Z';
}

// Only the Latin letters matter to both shapes, so only they are upper-cased.
constexpr char16_t maiuscola(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// The value each ASCII character counts, by position (0 odd, 1 even), small
// letters as capitals; 0 for a character that no codice fiscale holds. All
// counted values carry the tables' extra unit, so none is 0.
struct ValoriPosizione
{
    int valore[2][0x80];
};

constexpr ValoriPosizione tabellaValori()
{
    ValoriPosizione t{};
    for (char16_t c = 0; c < 0x80; ++c) {
        const char16_t m = maiuscola(c);
        if (eCifra(m)) {
            t.valore[0][c] = ValoriCifreDispari[static_cast<std::size_t>(m - u'0')];
            t.valore[1][c] = m - u'0' + 1;
        } else if (eLettera(m)) {
            t.valore[0][c] = ValoriLettereDispari[static_cast<std::size_t>(m - u'A')];
            t.valore[1][c] = m - u'A' + 1;
        }
    }
    return t;
}

constexpr ValoriPosizione kValori = tabellaValori();
static_assert(kValori.valore[0][u'0'] == 2 && kValori.valore[1][u'z'] == 26 &&
              kValori.valore[0][u' '] == 0 && kValori.valore[1][u'-'] == 0);

constexpr qsizetype LunghezzaNumerica = 11;
constexpr qsizetype LunghezzaPersona = 16;

// The check on any view of characters: texts, and the bytes of an ASCII line.
template <typename Testo> int controlla(Testo codice)
{
    if (codice.size() == LunghezzaNumerica) {
        for (qsizetype i = 0; i < codice.size(); ++i) {
            if (eLettera(maiuscola(codice[i].unicode())))
                return 1;
        }
        return 0;
    }

    // A code shorter than fifteen is padded with blanks, which count nothing.
    const qsizetype contati = std::min(codice.size(), LunghezzaPersona - 1);
    int somma = 0;
    bool tuttiValidi = contati == LunghezzaPersona - 1;
    for (qsizetype i = 0; i < contati; ++i) {
        const char16_t c = codice[i].unicode();
        // Positions count from 1: index 0 is the first, odd, position.
        const int valore = c < 0x80 ? kValori.valore[i % 2][c] : 0;
        tuttiValidi = tuttiValidi && valore != 0;
        somma += valore;
    }

    // Every counted character carries one extra unit from the tables above, so
    // with fifteen counted characters the 15 cancels out. The remainder keeps
    // the sign of the dividend: a code with skipped characters may call for a
    // character below "A".
    const int atteso = ((somma - 15) % 26) + u'A';
    const char16_t controllo = codice.size() >= LunghezzaPersona
                                   ? maiuscola(codice[LunghezzaPersona - 1].unicode())
                                   : u' ';

    // A blank, a dash or any other stray character among the first fifteen is
    // no codice fiscale at all, even when the check character happens to match
    // the skewed sum ("               2" would otherwise pass).
    if (controllo == atteso && tuttiValidi)
        return 0;
    return atteso;
}

} // namespace

int ControllaCF(QStringView codice)
{
    return controlla(codice);
}

int ControllaCF(QLatin1StringView codice)
{
    return controlla(codice);
}
