#include "fogli/TestoCella.h"

#include <gtest/gtest.h>

TEST(TestoCella, NumbersShowAtMostFifteenDigitsWithTheDecimalComma)
{
    const struct
    {
        double valore;
        const char* atteso;
    } casi[] = {
        {1500.75, "1500,75"},
        {3, "3"},
        {-0.5, "-0,5"},
        {0.1 + 0.2, "0,3"},                         // binary noise beyond 15 digits is not shown
        {12345678901234567.0, "12345678901234600"}, // Excel keeps 15 significant digits
        {123456789012345.0, "123456789012345"},
        {1e-7, "0,0000001"},
        {1e20, "100000000000000000000"},
        {-0.0, "0"},
        {2.5e-10, "0,00000000025"},
        {99999999999999.99, "100000000000000"} // sixteen digits round to fifteen
    };
    for (const auto& caso : casi)
        EXPECT_EQ(TestoCella::numero(caso.valore), QString::fromLatin1(caso.atteso)) << caso.valore;
}

TEST(TestoCella, SerialsBecomeDatesAndTimes)
{
    const struct
    {
        double seriale;
        bool sistema1904;
        const char* atteso; // null: not a date
    } casi[] = {
        {1, false, "01/01/1900"},
        {59, false, "28/02/1900"},
        {60, false, "29/02/1900"}, // the day Excel counts but never was
        {61, false, "01/03/1900"},
        {29353, false, "12/05/1980"},
        {29353.5, false, "12/05/1980 12:00:00"},
        {29353.99999999, false, "13/05/1980"}, // rounds to the next midnight
        {0.75, false, "18:00:00"},
        {2958465, false, "31/12/9999"},
        {2958466, false, nullptr},
        {-1, false, nullptr},
        {0, true, "01/01/1904"},
        {0.25, true, "01/01/1904 06:00:00"},
        {1462, true, "02/01/1908"},
    };
    for (const auto& caso : casi) {
        const auto data = TestoCella::data(caso.seriale, caso.sistema1904);
        if (caso.atteso)
            EXPECT_EQ(data.value_or(QStringLiteral("(nessuna)")), QString::fromLatin1(caso.atteso))
                << caso.seriale;
        else
            EXPECT_FALSE(data.has_value()) << caso.seriale;
    }
}

TEST(TestoCella, DateFormatsAreToldFromNumberFormats)
{
    const struct
    {
        const char* codice;
        bool data;
    } casi[] = {
        {"dd/mm/yyyy;@", true},
        {"[$-410]d\\ mmmm\\ yyyy", true},
        {"m/d/yy h:mm", true},
        {"[h]:mm:ss", true},
        {"General", false},
        {"#,##0.00", false},
        {"0.00\" dd\"", false},           // quoted text
        {"[Red]0.00;[Blue]-0.00", false}, // colours
        {"\\d0", false},                  // escaped letter
        {"_-* #,##0.00\\ \"€\"_-", false},
        {"0.00E+00", false},
        {"[$€-410] #,##0", false},
    };
    for (const auto& caso : casi)
        EXPECT_EQ(TestoCella::formatoData(QString::fromUtf8(caso.codice)), caso.data)
            << caso.codice;

    for (int id : {14, 15, 16, 17, 18, 19, 20, 21, 22, 45, 46, 47})
        EXPECT_TRUE(TestoCella::formatoDataPredefinito(id)) << id;
    for (int id : {0, 1, 2, 4, 10, 11, 12, 13, 37, 44, 48, 49})
        EXPECT_FALSE(TestoCella::formatoDataPredefinito(id)) << id;
}

TEST(TestoCella, ErrorValuesTakeTheirItalianNames)
{
    EXPECT_EQ(TestoCella::erroreItaliano(u"#N/A"), QStringLiteral("#N/D"));
    EXPECT_EQ(TestoCella::erroreItaliano(u"#VALUE!"), QStringLiteral("#VALORE!"));
    EXPECT_EQ(TestoCella::erroreItaliano(u"#REF!"), QStringLiteral("#RIF!"));
    EXPECT_EQ(TestoCella::erroreItaliano(u"#BOH"), QStringLiteral("#BOH"));
}
