#include "LetturaFoglio.h"
#include "fogli/LettoreFoglio.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString fixture(const char* nome)
{
    return QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/") + QLatin1String(nome);
}

} // namespace

// operazioni.xls is made by crea_fixture_xls.py beside it.
TEST(LettoreXls, ReadsTheFirstWorksheetLikeAnXlsx)
{
    auto lettore = apriFoglioExcel(fixture("operazioni.xls"), regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    const auto lettura = leggiTutto(*lettore.valore());
    EXPECT_EQ(lettura.errore, QString());
    ASSERT_EQ(numeri(lettura), (std::vector<int>{3, 4}));

    const auto& v = lettura.righe[0].valori;
    EXPECT_EQ(v[0], QStringLiteral("ROSSÈ"));
    EXPECT_EQ(v[1], QStringLiteral("MARIO "));
    EXPECT_EQ(v[2], QStringLiteral("M"));
    EXPECT_EQ(v[3], QString());
    EXPECT_EQ(v[4], QStringLiteral("12/05/1980"));
    EXPECT_EQ(v[11], QStringLiteral("01/03/2026 14:30:05"));
    // Formula results as Excel cached them: a number, a boolean, a date.
    EXPECT_EQ(v[7], QStringLiteral("3001,5"));
    EXPECT_EQ(v[9], QStringLiteral("FALSO"));
    EXPECT_EQ(v[12], QStringLiteral("12/05/1980"));
    EXPECT_EQ(v[18], QStringLiteral("1500,75"));
    EXPECT_EQ(v[19], QStringLiteral("3"));
    EXPECT_EQ(v[20], QStringLiteral("12345678901234600"));
    EXPECT_EQ(v[21], QStringLiteral("VERO"));

    const auto& anna = lettura.righe[1].valori;
    EXPECT_EQ(anna[0], QStringLiteral("   "));
    EXPECT_EQ(anna[1], QStringLiteral("ANNA"));
    EXPECT_EQ(anna[18], QStringLiteral("0,1"));
}

TEST(LettoreXls, AnErrorValueStopsTheRunAfterTheRowsBeforeIt)
{
    auto lettore = apriFoglioExcel(fixture("errore.xls"), regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    const auto lettura = leggiTutto(*lettore.valore());
    EXPECT_EQ(numeri(lettura), std::vector<int>{3});
    EXPECT_EQ(lettura.errore,
              QStringLiteral("Riga 4, colonna 3: valore di errore #N/D nel foglio."));
}

TEST(LettoreXls, TheContentNotTheNameTellsTheFormat)
{
    QTemporaryDir cartella;
    // An .xls saved under an .xlsx name, and the other way round a text file.
    const QString travestito = cartella.filePath(QStringLiteral("dati.xlsx"));
    ASSERT_TRUE(QFile::copy(fixture("operazioni.xls"), travestito));
    auto lettore = apriFoglioExcel(travestito, regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    EXPECT_EQ(leggiTutto(*lettore.valore()).righe.size(), 2u);

    const QString finto = cartella.filePath(QStringLiteral("finto.xls"));
    QFile file(finto);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0'));
    file.close();
    EXPECT_FALSE(apriFoglioExcel(finto, regoleProva()).ok());
}
