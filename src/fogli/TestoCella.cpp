#include "fogli/TestoCella.h"

#include <QDate>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace TestoCella {

QString numero(double valore)
{
    if (!std::isfinite(valore))
        return QStringLiteral("#NUM!");
    if (valore == 0)
        return QStringLiteral("0");

    // The digits and exponent of the value in scientific form. The shortest
    // form that reads back as the same double is exact enough when it has
    // at most 15 digits (it is then the 15-digit rounding too); otherwise
    // the value is rounded to 15 significant digits, as Excel shows it.
    char buffer[64];
    auto [fine, errore] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(valore),
                                        std::chars_format::scientific);
    *fine = '\0';
    const char* e = std::strchr(buffer, 'e');
    if (errore != std::errc() || !e || (e - buffer) - (e - buffer > 1 ? 1 : 0) > 15) {
        std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(valore));
        e = std::strchr(buffer, 'e');
    }
    // buffer: d[.ddd]e[+-]xx
    char cifre[32];
    int n = 0;
    for (const char* p = buffer; p < e; ++p)
        if (*p != '.')
            cifre[n++] = *p;
    const int esponente = std::atoi(e + 1);
    while (n > 1 && cifre[n - 1] == '0')
        --n;

    char testo[400];
    int t = 0;
    if (valore < 0)
        testo[t++] = '-';
    if (esponente >= 0) {
        const int intere = esponente + 1;
        if (intere > 330)
            return QString::number(valore, 'g', 15);
        for (int i = 0; i < intere; ++i)
            testo[t++] = i < n ? cifre[i] : '0';
        if (n > intere) {
            testo[t++] = ',';
            for (int i = intere; i < n; ++i)
                testo[t++] = cifre[i];
        }
    } else {
        if (-esponente > 340)
            return QString::number(valore, 'g', 15);
        testo[t++] = '0';
        testo[t++] = ',';
        for (int i = 1; i < -esponente; ++i)
            testo[t++] = '0';
        for (int i = 0; i < n; ++i)
            testo[t++] = cifre[i];
    }
    return QString::fromLatin1(testo, t);
}

namespace {

void dueCifre(char16_t* p, int valore)
{
    p[0] = static_cast<char16_t>(u'0' + valore / 10);
    p[1] = static_cast<char16_t>(u'0' + valore % 10);
}

// dd/mm/yyyy without the cost of a formatting pattern: a sheet has
// hundreds of thousands of dates.
QString giornoItaliano(const QDate& giorno)
{
    int anno = 0;
    int mese = 0;
    int g = 0;
    giorno.getDate(&anno, &mese, &g);
    char16_t testo[10] = {0, 0, u'/', 0, 0, u'/', 0, 0, 0, 0};
    dueCifre(testo, g);
    dueCifre(testo + 3, mese);
    dueCifre(testo + 6, anno / 100);
    dueCifre(testo + 8, anno % 100);
    return QString(reinterpret_cast<const QChar*>(testo), 10);
}

QString oraItaliana(qint64 secondi)
{
    char16_t testo[8] = {0, 0, u':', 0, 0, u':', 0, 0};
    dueCifre(testo, static_cast<int>(secondi / 3600));
    dueCifre(testo + 3, static_cast<int>(secondi / 60 % 60));
    dueCifre(testo + 6, static_cast<int>(secondi % 60));
    return QString(reinterpret_cast<const QChar*>(testo), 8);
}

} // namespace

std::optional<QString> data(double seriale, bool sistema1904)
{
    const double ultimo = sistema1904 ? 2957003.0 : 2958465.0; // 31/12/9999
    if (!std::isfinite(seriale) || seriale < 0 || seriale >= ultimo + 1)
        return std::nullopt;

    auto giorni = static_cast<qint64>(std::floor(seriale));
    auto secondi = std::llround((seriale - static_cast<double>(giorni)) * 86400.0);
    if (secondi >= 86400) {
        ++giorni;
        secondi = 0;
        if (static_cast<double>(giorni) > ultimo)
            return std::nullopt;
    }
    QString giorno;
    if (sistema1904) {
        giorno = giornoItaliano(QDate(1904, 1, 1).addDays(giorni));
    } else if (giorni == 0) {
        // Day zero of the 1900 system is no day: the value is a time alone.
        return oraItaliana(secondi);
    } else if (giorni == 60) {
        // Excel counts 1900 as a leap year, so serial 60 is a day that
        // never was; later serials are one ahead of the real count.
        giorno = QStringLiteral("29/02/1900");
    } else {
        const QDate base = giorni < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
        giorno = giornoItaliano(base.addDays(giorni));
    }
    if (secondi == 0)
        return giorno;
    return giorno + QLatin1Char(' ') + oraItaliana(secondi);
}

bool formatoDataPredefinito(int idFormato)
{
    // 14-22 and 45-47 everywhere; 27-36 and 50-58 are the date formats of
    // East Asian versions of Excel.
    return (idFormato >= 14 && idFormato <= 22) || (idFormato >= 45 && idFormato <= 47) ||
           (idFormato >= 27 && idFormato <= 36) || (idFormato >= 50 && idFormato <= 58);
}

bool formatoData(QStringView codice)
{
    for (qsizetype i = 0; i < codice.size(); ++i) {
        const QChar c = codice[i];
        switch (c.unicode()) {
        case '"': { // literal text
            const qsizetype fine = codice.indexOf(QLatin1Char('"'), i + 1);
            if (fine < 0)
                return false;
            i = fine;
            break;
        }
        case '[': { // colour, condition or locale: [Red], [<100], [$-410]
            const qsizetype fine = codice.indexOf(QLatin1Char(']'), i + 1);
            if (fine < 0)
                return false;
            // Elapsed time [h], [mm], [ss] is a time format.
            const QStringView dentro = codice.mid(i + 1, fine - i - 1);
            if (!dentro.isEmpty()) {
                const QChar primo = dentro[0].toLower();
                if (primo == QLatin1Char('h') || primo == QLatin1Char('m') ||
                    primo == QLatin1Char('s')) {
                    bool soloCodice = true;
                    for (QChar d : dentro)
                        soloCodice = soloCodice && d.toLower() == primo;
                    if (soloCodice)
                        return true;
                }
            }
            i = fine;
            break;
        }
        case '\\': // the next character is literal
        case '_':  // the next character's width as blank space
        case '*':  // the next character repeated to fill the cell
            ++i;
            break;
        case 'd':
        case 'D':
        case 'm':
        case 'M':
        case 'y':
        case 'Y':
        case 'h':
        case 'H':
        case 's':
        case 'S':
            return true;
        default:
            break;
        }
    }
    return false;
}

QString erroreItaliano(QStringView codice)
{
    static const struct
    {
        const char* inglese;
        const char* italiano;
    } nomi[] = {
        {"#N/A", "#N/D"},
        {"#VALUE!", "#VALORE!"},
        {"#REF!", "#RIF!"},
        {"#NAME?", "#NOME?"},
        {"#NULL!", "#NULLO!"},
        {"#DIV/0!", "#DIV/0!"},
        {"#NUM!", "#NUM!"},
        {"#GETTING_DATA", "#DATI_NON_DISPONIBILI"},
        {"#SPILL!", "#ESPANSIONE!"},
        {"#CALC!", "#CALC!"},
    };
    for (const auto& nome : nomi)
        if (codice.compare(QLatin1String(nome.inglese), Qt::CaseInsensitive) == 0)
            return QLatin1String(nome.italiano);
    return codice.toString();
}

Errore erroreNelFoglio(int riga, int colonna, QStringView codiceInglese)
{
    return Errore{QStringLiteral("Riga %1, colonna %2: valore di errore %3 nel foglio.")
                      .arg(riga)
                      .arg(colonna)
                      .arg(erroreItaliano(codiceInglese))};
}

bool vuoto(QStringView testo)
{
    for (QChar c : testo)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace TestoCella
