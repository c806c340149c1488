#include "base/Date.h"

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <gtest/gtest.h>

namespace {

struct CasoData
{
    const char16_t* valore;
    int risultato;
    const char16_t* normalizzata; // DataNormalizzata after the check
    const char16_t* riscritto;    // the value after the check
};

const CasoData Casi[] = {
    // Separators of every kind, or none.
    {u"01/02/1990", 2, u"01/02/1990", u"01021990"},
    {u"01-02-1990", 2, u"01/02/1990", u"01021990"},
    {u"01.02.1990", 2, u"01/02/1990", u"01021990"},
    {u"01021990", 2, u"01/02/1990", u"01021990"},
    {u" 01 02 90 ", 2, u"01/02/1990", u"01021990"},
    {u"ab01cd0290", 2, u"01/02/1990", u"01021990"},
    // Two-digit years: 30 and above are 1900s, below 30 the 2000s.
    {u"01/02/90", 2, u"01/02/1990", u"01021990"},
    {u"01/02/29", 2, u"01/02/2029", u"01022029"},
    {u"01/02/30", 2, u"01/02/1930", u"01021930"},
    {u"010190", 2, u"01/01/1990", u"01011990"},
    {u"010129", 2, u"01/01/2029", u"01012029"},
    {u"12/05/80", 2, u"12/05/1980", u"12051980"},
    // Digits are packed: 1/2/1990 reads as day 12, month 19.
    {u"1/2/1990", 1, u"", u"12191990"},
    // Days of the month, with 29 February only in leap years.
    {u"31/12/2020", 2, u"31/12/2020", u"31122020"},
    {u"29/02/2020", 2, u"29/02/2020", u"29022020"},
    {u"29/02/2000", 2, u"29/02/2000", u"29022000"},
    {u"29/02/2021", 1, u"", u"29022021"},
    {u"29/02/1900", 1, u"", u"29021900"},
    {u"30/02/2020", 1, u"", u"30022020"},
    {u"31/04/2020", 1, u"", u"31042020"},
    {u"32/01/2020", 1, u"", u"32012020"},
    {u"00/01/2020", 1, u"", u"00012020"},
    {u"15/13/2020", 1, u"", u"15132020"},
    {u"15/00/2020", 1, u"", u"15002020"},
    // Five or seven digits leave a blank in the year.
    {u"01/02/199", 1, u"", u"0102199 "},
    {u"01/02/9", 1, u"", u"0102209 "},
    // Four digits or fewer: no year at all.
    {u"01/02/", 1, u"", u"0102    "},
    {u"abcdef", 1, u"", u"        "},
    // No date.
    {u"", 0, u"", u""},
    {u"0.00.00", 0, u"", u"0.00.00"},
    {u"00:00:00", 0, u"", u"00:00:00"},
    // Outside 6 to 10 characters, or more than eight digits: left as it was.
    {u"01/02/1990 10:30", 1, u"", u"01/02/1990 10:30"},
    {u"1/2/3", 1, u"", u"1/2/3"},
    {u"01/02/19901", 1, u"", u"01/02/19901"},
    {u"0102199012", 1, u"", u"0102199012"},
};

} // namespace

TEST(ControllaData, ChecksAndRewritesEveryForm)
{
    for (const CasoData& caso : Casi) {
        QString valore = QString::fromUtf16(caso.valore);
        SCOPED_TRACE(valore.toStdString());
        QString normalizzata = QStringLiteral("resto di prima");
        EXPECT_EQ(ControllaData(valore, &normalizzata), caso.risultato);
        EXPECT_EQ(normalizzata, QString::fromUtf16(caso.normalizzata));
        EXPECT_EQ(valore, QString::fromUtf16(caso.riscritto));

        // Without the normalised text the result and the rewriting are the same.
        QString copia = QString::fromUtf16(caso.valore);
        EXPECT_EQ(ControllaData(copia), caso.risultato);
        EXPECT_EQ(copia, valore);
    }
}

TEST(ControllaData, TheBytesOfALineAreJudgedAsTheirText)
{
    // A CSV line of ASCII bytes is checked without a text of its own: same
    // result, and a valid date's digits as the text would be rewritten to.
    for (const CasoData& caso : Casi) {
        const QByteArray byte = QString::fromUtf16(caso.valore).toLatin1();
        SCOPED_TRACE(byte.toStdString());
        char cifre[8] = {'-', '-', '-', '-', '-', '-', '-', '-'};
        EXPECT_EQ(ControllaData(QLatin1StringView(byte), cifre), caso.risultato);
        if (caso.risultato == 2)
            EXPECT_EQ(QByteArray(cifre, 8), QString::fromUtf16(caso.riscritto).toLatin1());
        else
            EXPECT_EQ(QByteArray(cifre, 8), "--------"); // untouched
    }
}

TEST(ControllaData, ValueAlreadyInDigitsIsNotCopied)
{
    QString valore = QString::fromLatin1("01021990");
    const QString condivisa = valore; // shares the buffer until one is written
    EXPECT_EQ(ControllaData(valore), 2);
    EXPECT_EQ(valore.constData(), condivisa.constData());
}

TEST(TestoCampo, TrimmedTextWithDatesAndNumbersTheItalianWay)
{
    const struct
    {
        QVariant valore;
        const char* testo;
    } casi[] = {
        {QVariant(), ""},
        {QVariant(QMetaType(QMetaType::QString)), ""},
        {QStringLiteral("  ROSSI MARIO \t"), "ROSSI MARIO"},
        {42, "42"},
        {QDate(2016, 3, 5), "05/03/2016"},
        {QDateTime(QDate(2016, 3, 5), QTime(0, 0)), "05/03/2016"},
        {QDateTime(QDate(2016, 3, 5), QTime(10, 30)), "05/03/2016 10:30:00"},
        {QDateTime(QDate(1899, 12, 30), QTime(10, 30)), "10:30:00"}, // a time of day alone
        {QTime(0, 0), "00:00:00"},
        {1500.75, "1500,75"},
        {12345678901.0, "12345678901"}, // a company code read as a number
        {-3.0, "-3"},
    };
    for (const auto& caso : casi)
        EXPECT_EQ(TestoCampo(caso.valore), QLatin1String(caso.testo)) << caso.testo;
}

TEST(TestoCampo, DateCellsPassTheDateCheck)
{
    QString data = TestoCampo(QDate(1980, 5, 12));
    EXPECT_EQ(ControllaData(data), 2);
    EXPECT_EQ(data, QStringLiteral("12051980"));
    // A time-only cell at midnight is "no date", not a wrong one.
    QString mezzanotte = TestoCampo(QTime(0, 0));
    EXPECT_EQ(ControllaData(mezzanotte), 0);
}

TEST(FormattaData, ReadsStoredAndTypedDates)
{
    const QString atteso = QStringLiteral("05/03/2016");
    EXPECT_EQ(FormattaData(QDate(2016, 3, 5)), atteso);
    EXPECT_EQ(FormattaData(QDateTime(QDate(2016, 3, 5), QTime(18, 45, 12))), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral("2016-03-05")), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral("2016-03-05 10:30:00")), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral("2016-03-05T10:30:00.000Z")), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral("05/03/2016")), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral(" 5-3-2016 ")), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral("05.03.16")), atteso);
    EXPECT_EQ(FormattaData(QStringLiteral("05/03/2016 10:30")), atteso);
    // Day numbers counted from 30/12/1899.
    EXPECT_EQ(FormattaData(42434.0), atteso);
    EXPECT_EQ(FormattaData(42434.75), atteso);
}

TEST(FormattaData, EmptyForNullTimeOnlyAndUnreadableValues)
{
    const QVariant valori[] = {
        QVariant(),
        QStringLiteral(""),
        QStringLiteral("   "),
        QTime(10, 30),
        QDateTime(QDate(1899, 12, 30), QTime(10, 30)),
        QStringLiteral("10:30"),
        QStringLiteral("10:30:00"),
        QStringLiteral("00:00:00"),
        QStringLiteral("1899-12-30 10:30:00"),
        0.4375, // 10:30 as a fraction of a day
        QStringLiteral("31/02/2016"),
        QStringLiteral("2016-13-01"),
        QStringLiteral("domani"),
        QStringLiteral("05/03/2016 e poi"),
        QDate(),
    };
    for (const QVariant& valore : valori)
        EXPECT_EQ(FormattaData(valore), QString()) << valore.toString().toStdString();
}
