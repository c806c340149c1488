#include "communication/TestoCella.h"

#include <QDate>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace TestoCella {

QString numero(double valore)
{
    if (!std::isfinite(valore))
        return QStringLiteral("#NUM!");
    if (valore == 0)
        return QStringLiteral("0");

    // 15 significant digits in scientific form, then laid out positionally.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(valore));
    // buffer: d.dddddddddddddde[+-]xx
    QByteArray cifre;
    cifre.append(buffer[0]);
    const char* p = buffer + 2;
    while (*p != 'e')
        cifre.append(*p++);
    const int esponente = std::atoi(p + 1);
    while (cifre.size() > 1 && cifre.endsWith('0'))
        cifre.chop(1);

    QString testo;
    if (valore < 0)
        testo += QLatin1Char('-');
    if (esponente >= 0) {
        const int intere = esponente + 1;
        if (cifre.size() <= intere) {
            testo += QLatin1String(cifre);
            testo += QString(intere - cifre.size(), QLatin1Char('0'));
        } else {
            testo += QLatin1String(cifre.left(intere));
            testo += QLatin1Char(',');
            testo += QLatin1String(cifre.mid(intere));
        }
    } else {
        testo += QLatin1String("0,");
        testo += QString(-esponente - 1, QLatin1Char('0'));
        testo += QLatin1String(cifre);
    }
    return testo;
}

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
    const QString ora = QStringLiteral("%1:%2:%3")
                            .arg(secondi / 3600, 2, 10, QLatin1Char('0'))
                            .arg(secondi / 60 % 60, 2, 10, QLatin1Char('0'))
                            .arg(secondi % 60, 2, 10, QLatin1Char('0'));

    QString giorno;
    if (sistema1904) {
        giorno = QDate(1904, 1, 1).addDays(giorni).toString(QStringLiteral("dd/MM/yyyy"));
    } else if (giorni == 0) {
        // Day zero of the 1900 system is no day: the value is a time alone.
        return ora;
    } else if (giorni == 60) {
        // Excel counts 1900 as a leap year, so serial 60 is a day that
        // never was; later serials are one ahead of the real count.
        giorno = QStringLiteral("29/02/1900");
    } else {
        const QDate base = giorni < 60 ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
        giorno = base.addDays(giorni).toString(QStringLiteral("dd/MM/yyyy"));
    }
    if (secondi == 0)
        return giorno;
    return giorno + QLatin1Char(' ') + ora;
}

bool formatoDataPredefinito(int idFormato)
{
    // 14-22 and 45-47 everywhere; 27-36 and 50-58 are the date formats of
    // East Asian versions of Excel.
    return (idFormato >= 14 && idFormato <= 22) || (idFormato >= 45 && idFormato <= 47)
        || (idFormato >= 27 && idFormato <= 36) || (idFormato >= 50 && idFormato <= 58);
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
                if (primo == QLatin1Char('h') || primo == QLatin1Char('m') || primo == QLatin1Char('s')) {
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
        case 'd': case 'D': case 'm': case 'M': case 'y': case 'Y':
        case 'h': case 'H': case 's': case 'S':
            return true;
        default:
            break;
        }
    }
    return false;
}

QString erroreItaliano(QStringView codice)
{
    static const struct { const char* inglese; const char* italiano; } nomi[] = {
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

bool vuoto(QStringView testo)
{
    for (QChar c : testo)
        if (c != QLatin1Char(' '))
            return false;
    return true;
}

} // namespace TestoCella
