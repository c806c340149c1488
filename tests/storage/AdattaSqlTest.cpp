#include "storage/AdattaSql.h"

#include "storage/Apici.h"

#include <gtest/gtest.h>

namespace {

QString adatta(const char* jet)
{
    return adattaSql(QString::fromUtf8(jet));
}

} // namespace

TEST(AdattaSql, DateLiteralsBecomeIsoStrings)
{
    EXPECT_EQ(
        adatta("SELECT * FROM COPERA WHERE  OCOD='A' AND (((ODATA)>=#2016/01/01#  And "
               "(ODATA)<=#2016/12/31#)) ORDER BY ODATA, ADES"),
        QStringLiteral("SELECT * FROM COPERA WHERE  OCOD='A' AND (((ODATA)>='2016-01-01'  And "
                       "(ODATA)<='2016-12-31')) ORDER BY ODATA, ADES"));
    // Jet's American order, and one-digit month and day.
    EXPECT_EQ(adatta("x=#12/31/2016# or y=#2016/2/3#"),
              QStringLiteral("x='2016-12-31' or y='2016-02-03'"));
}

TEST(AdattaSql, LeavesQuotedTextAndBracketsAlone)
{
    EXPECT_EQ(adatta("SELECT COPE.Ocod AS [Codice_Fiscale], COPE.Orag as [Ragione #1]  FROM COPE"),
              QStringLiteral(
                  "SELECT COPE.Ocod AS [Codice_Fiscale], COPE.Orag as [Ragione #1]  FROM COPE"));
    EXPECT_EQ(adatta("WHERE ORAG='#2016/01/01#' AND X=\"#1#\""),
              QStringLiteral("WHERE ORAG='#2016/01/01#' AND X=\"#1#\""));
    EXPECT_EQ(adatta("WHERE ORAG='D''ANGELO #2016/01/01#'"),
              QStringLiteral("WHERE ORAG='D''ANGELO #2016/01/01#'"));
}

TEST(AdattaSql, ANonDateBetweenHashesStaysForTheEngineToRefuse)
{
    EXPECT_EQ(adatta("ODATA>=#16/01/01#"), QStringLiteral("ODATA>=#16/01/01#"));
    EXPECT_EQ(adatta("ODATA>=#2016/13/01#"), QStringLiteral("ODATA>=#2016/13/01#"));
    EXPECT_EQ(adatta("ODATA>=#abc/01/01#"), QStringLiteral("ODATA>=#abc/01/01#"));
}

TEST(Apici, DoublesQuotesInside)
{
    EXPECT_EQ(Sql::Apici(QStringLiteral("D'ANGELO")), QStringLiteral("'D''ANGELO'"));
    EXPECT_EQ(Sql::Apici(QString()), QStringLiteral("''"));
    EXPECT_EQ(Sql::Apici(QStringLiteral("x' OR '1'='1")), QStringLiteral("'x'' OR ''1''=''1'"));
    EXPECT_EQ(Sql::Apici(QStringLiteral("L\"AQUILA")), QStringLiteral("'L\"AQUILA'"));
    EXPECT_EQ(Sql::Virgolette(QStringLiteral("C:\\a b")), QStringLiteral("\"C:\\a b\""));
}
