// The .xls reader of our own against the FreeXL one it replaces: every
// workbook both can read must give the same rows and the same error.
#include "FlussoBiff.h"
#include "LetturaFoglio.h"
#include "fogli/LettoreXls.h"
#include "fogli/LettoreXlsFreeXL.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct Risultato
{
    bool aperto = false;
    QString errore; // of the opening
    LetturaFoglio lettura;
};

template <typename Apri> Risultato leggi(Apri apri, const QByteArray& dati)
{
    Risultato r;
    auto lettore = apri(dati, QStringLiteral("prova.xls"), regoleProva());
    r.aperto = lettore.ok();
    if (!lettore)
        r.errore = lettore.errore();
    else
        r.lettura = leggiTutto(*lettore.valore());
    return r;
}

// FreeXL's own rules for dates: a date past 9999 as a date, a serial below
// 1 as 01/01/1900. The new reader shows such cells as an .xlsx does.
bool dataComeFreeXL(const QString& testo)
{
    static const QRegularExpression data(QStringLiteral("^\\d+[-/]\\d\\d[-/]\\d+"));
    return data.match(testo).hasMatch();
}

// Whether the two readers agree: both refuse the file, or both give the
// same rows and end the same way. `guasto`: a damaged file, which either
// may refuse where the other reads it, and whose damaged styles may make a
// date of FreeXL's own rules.
::testing::AssertionResult concordano(const QByteArray& dati, bool guasto = false)
{
    const Risultato vecchio = leggi(apriFoglioXlsFreeXL, dati);
    const Risultato nuovo = leggi(apriFoglioXls, dati);
    if (!vecchio.aperto && !nuovo.aperto)
        return ::testing::AssertionSuccess();
    if (guasto && (!vecchio.aperto || !nuovo.aperto))
        return ::testing::AssertionSuccess();
    if (vecchio.aperto != nuovo.aperto)
        return ::testing::AssertionFailure()
               << "FreeXL " << (vecchio.aperto ? "reads" : "refuses: ")
               << vecchio.errore.toStdString() << "; new " << (nuovo.aperto ? "reads" : "refuses: ")
               << nuovo.errore.toStdString();
    if (vecchio.lettura.errore != nuovo.lettura.errore)
        return ::testing::AssertionFailure() << "errors: " << vecchio.lettura.errore.toStdString()
                                             << " / " << nuovo.lettura.errore.toStdString();
    if (vecchio.lettura.righe.size() != nuovo.lettura.righe.size())
        return ::testing::AssertionFailure()
               << "rows: " << vecchio.lettura.righe.size() << " / " << nuovo.lettura.righe.size();
    for (std::size_t i = 0; i < nuovo.lettura.righe.size(); ++i) {
        const auto& a = vecchio.lettura.righe[i];
        const auto& b = nuovo.lettura.righe[i];
        if (a.numero != b.numero)
            return ::testing::AssertionFailure() << "row numbers " << a.numero << " / " << b.numero;
        for (std::size_t c = 0; c < a.valori.size(); ++c)
            if (a.valori[c] != b.valori[c] && !(guasto && dataComeFreeXL(a.valori[c])))
                return ::testing::AssertionFailure()
                       << "row " << a.numero << " column " << c + 1 << ": "
                       << a.valori[c].toStdString() << " / " << b.valori[c].toStdString();
    }
    return ::testing::AssertionSuccess();
}

QByteArray contenuto(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList fixture()
{
    QStringList file;
    const QString radice = QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli");
    for (const QString& cartella :
         {QString(), QStringLiteral("/danneggiati"), QStringLiteral("/libreoffice")})
        for (const QString& nome :
             QDir(radice + cartella).entryList({QStringLiteral("*.xls")}, QDir::Files))
            file << radice + cartella + QLatin1Char('/') + nome;
    return file;
}

} // namespace

TEST(ConfrontoXls, EveryFixtureReadsTheSame)
{
    const QStringList file = fixture();
    ASSERT_GE(file.size(), 6);
    // FreeXL refused a sheet without its size record for its own sake.
    for (const QString& percorso : file)
        EXPECT_TRUE(concordano(contenuto(percorso),
                               percorso.endsWith(QLatin1String("foglio-senza-dimensioni.xls"))))
            << percorso.toStdString();
}

TEST(ConfrontoXls, BuiltWorkbooksReadTheSame)
{
    using namespace FlussoBiff;
    Cartella tagliata = cartellaConTabella();
    tagliata.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + testoSst("MARIO") +
                                          le16(5) + '\0' + "VE") +
                       record(0x003C, QByteArray(1, '\0') + "RDI" + testoSst("ANNA"));
    for (const Cartella& c : {cartellaConTabella(), tagliata, cartellaExcel95()}) {
        const Risultato nuovo = leggi(apriFoglioXls, documento(c));
        ASSERT_TRUE(nuovo.aperto) << nuovo.errore.toStdString();
        EXPECT_EQ(nuovo.lettura.righe.size(), 2u);
        EXPECT_TRUE(concordano(documento(c)));
    }
}

TEST(ConfrontoXls, DamagedWorkbooksReadTheSameOrAreRefused)
{
    // Random bytes flipped in each fixture, as the damaged-file tests do:
    // where both read a workbook they must read it the same.
    QRandomGenerator caso(20261209);
    int letti = 0;
    for (const QString& percorso : fixture()) {
        const QByteArray buono = contenuto(percorso);
        for (int prova = 0; prova < 200; ++prova) {
            QByteArray guasto = buono;
            const int colpi = 1 + static_cast<int>(caso.bounded(4));
            for (int i = 0; i < colpi; ++i)
                guasto[static_cast<qsizetype>(caso.bounded(static_cast<quint32>(guasto.size())))] =
                    static_cast<char>(caso.bounded(256));
            letti +=
                leggi(apriFoglioXlsFreeXL, guasto).aperto && leggi(apriFoglioXls, guasto).aperto;
            EXPECT_TRUE(concordano(guasto, true)) << percorso.toStdString() << " prova " << prova;
        }
    }
    EXPECT_GT(letti, 100);
}
