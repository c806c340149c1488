// Calls per second of the per-field checks of the monthly import: the
// codice fiscale check, the date check and the code-table lookup, over a mix
// of inputs like a real month's sheet. Each measurement runs twice; the
// second figure is the one without first-touch effects.
#include "common/ControllaCF.h"
#include "base/Date.h"
#include "storage/Database.h"
#include "storage/DescrizioneTabella.h"
#include "storage/Connessione.h"

#include <QCoreApplication>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>

namespace {

// A made-up person's code with its check letter from the published tables;
// a homonym's code has its last digit replaced by a letter.
QString codicePersona(QRandomGenerator& caso, bool omonimo = false)
{
    static const int dispari[36] = {1,  0, 5, 7,  9,  13, 15, 17, 19, 21, 1,  0,
                                    5,  7, 9, 13, 15, 17, 19, 21, 2,  4,  18, 20,
                                    11, 3, 6, 8,  12, 14, 16, 10, 22, 25, 24, 23};
    QString c;
    for (int i = 0; i < 6; ++i)
        c += QChar(u'A' + caso.bounded(26));
    c += QString::number(caso.bounded(100)).rightJustified(2, u'0');
    c += QStringLiteral("ABCDEHLMPRST")[caso.bounded(12)];
    c += QString::number(1 + caso.bounded(31) + 40 * caso.bounded(2)).rightJustified(2, u'0');
    c += QChar(u'A' + caso.bounded(26));
    c += QString::number(caso.bounded(1000)).rightJustified(3, u'0');
    if (omonimo)
        c[14] = QStringLiteral("LMNPQRSTUV")[c[14].digitValue()];
    int somma = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar x = c[i];
        const int indice = x.isDigit() ? x.digitValue() : 10 + (x.unicode() - u'A');
        somma +=
            (i % 2 == 0) ? dispari[indice] : (x.isDigit() ? x.digitValue() : x.unicode() - u'A');
    }
    return c + QChar(u'A' + somma % 26);
}

// About what a month holds: mostly good personal codes, some company codes,
// some typing errors, the odd lower-case or homonym code.
QStringList codiciMisti(int quanti)
{
    QRandomGenerator caso(448);
    QStringList codici;
    for (int n = 0; n < quanti; ++n) {
        const int tipo = caso.bounded(100);
        QString c = codicePersona(caso, tipo >= 94);
        if (tipo < 70 || tipo >= 94) {
            // as generated
        } else if (tipo < 80) {
            c = QString::number(caso.bounded(100000000, 999999999)) + QStringLiteral("01");
        } else if (tipo < 88) {
            c.back() = QChar(u'A' + (c.back().unicode() - u'A' + 1) % 26);
        } else {
            c = c.toLower();
        }
        codici << c;
    }
    return codici;
}

QStringList dateMiste(int quanti)
{
    const QStringList forme = {
        QStringLiteral("12/05/1980"), QStringLiteral("05/03/2016"), QStringLiteral("12051980"),
        QStringLiteral("12/05/80"),   QStringLiteral("31/12/2025"), QStringLiteral("1/2/1990"),
        QStringLiteral("31/04/2020"), QStringLiteral(""),           QStringLiteral("00:00:00"),
        QStringLiteral("29-02-2016"), QStringLiteral("2016-03-05"), QStringLiteral("01.02.1990"),
    };
    QRandomGenerator caso(1980);
    QStringList date;
    for (int n = 0; n < quanti; ++n) {
        // Sheets give one text per cell: no buffer shared between rows.
        const QString& forma = forme[caso.bounded(forme.size())];
        date << QString(forma.constData(), forma.size());
    }
    return date;
}

void misura(const char* nome, qint64 chiamate, const std::function<qint64()>& corpo)
{
    for (int giro = 1; giro <= 2; ++giro) {
        const auto inizio = std::chrono::steady_clock::now();
        const qint64 controllo = corpo();
        const std::chrono::duration<double> durata = std::chrono::steady_clock::now() - inizio;
        std::printf("%-34s giro %d: %12.0f chiamate/s  (%lld chiamate, %.3f s, controllo %lld)\n",
                    nome, giro, double(chiamate) / durata.count(), static_cast<long long>(chiamate),
                    durata.count(), static_cast<long long>(controllo));
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);

    const QStringList codici = codiciMisti(20000);
    constexpr int GiriCF = 50;
    misura("ControllaCF", qint64(codici.size()) * GiriCF, [&] {
        qint64 validi = 0;
        for (int g = 0; g < GiriCF; ++g)
            for (const QString& c : codici)
                validi += ControllaCF(c) == 0;
        return validi;
    });

    const QStringList date = dateMiste(20000);
    constexpr int GiriData = 25;
    misura("ControllaData (copia del valore)", qint64(date.size()) * GiriData, [&] {
        qint64 valide = 0;
        QString normalizzata;
        for (int g = 0; g < GiriData; ++g) {
            for (const QString& d : date) {
                QString valore = d; // the import checks its own copy of the field
                valide += ControllaData(valore, &normalizzata) == 2;
            }
        }
        return valide;
    });
    misura("ControllaData (valore riusato)", qint64(date.size()) * GiriData, [&] {
        qint64 valide = 0;
        QStringList lavoro = date;
        for (int g = 0; g < GiriData; ++g)
            for (QString& d : lavoro)
                valide += ControllaData(d) == 2;
        return valide;
    });

    QTemporaryDir cartella;
    auto db = Database::apri(cartella.filePath(QStringLiteral("ZEFIRANTE.db")));
    if (!db) {
        std::fprintf(stderr, "database: %s\n", qPrintable(db.errore()));
        return 1;
    }
    const QStringList paesi = {QStringLiteral("ITA"), QStringLiteral("fra"), QStringLiteral("DEU"),
                               QStringLiteral("XXX"), QStringLiteral("CHN"), QStringLiteral("USA")};
    constexpr int Ricerche = 20000;
    misura("DescrizioneTabella (una query)", Ricerche, [&] {
        qint64 trovati = 0;
        for (int i = 0; i < Ricerche; ++i)
            trovati +=
                !DescrizioneTabella(*db.valore(), QStringLiteral("PAESI"), paesi[i % paesi.size()])
                     .valore()
                     .isEmpty();
        return trovati;
    });
    auto tabella = TabellaCodici::carica(*db.valore(), QStringLiteral("PAESI"));
    constexpr int RicercheTabella = 2000000;
    misura("TabellaCodici::descrizione", RicercheTabella, [&] {
        qint64 trovati = 0;
        for (int i = 0; i < RicercheTabella; ++i)
            trovati += tabella->contiene(paesi[i % paesi.size()]);
        return trovati;
    });
    return 0;
}
