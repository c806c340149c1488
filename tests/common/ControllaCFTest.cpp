#include "common/ControllaCF.h"

#include <QMap>
#include <QRandomGenerator>
#include <QString>
#include <gtest/gtest.h>

namespace {

// Codes of made-up people, their check letters taken from the published
// conversion tables: men and women (day + 40), born abroad (Z...), and codes
// re-issued for homonyms, whose digits are replaced by L M N P Q R S T U V.
const char* const CodiciValidi[] = {
    "RSSMRA80A01H501U", // man, Rome
    "BNCLRA85M52F205I", // woman, Milan
    "VRDGPP13R10B293P",
    "FRRNNA99T71Z404J", // woman born abroad
    "DNGLCU02E22A662M",
    "RSSMRA80A01H50MM", // homonym: last digit replaced
    "RSSMRA80A01H5LMX", // homonym: two digits replaced
    "RSSMRALPALMHRLMV", // homonym: every digit replaced
    "BNCLRA85M52F2LRO",
};

// The published tables, written as they are printed, independently of the
// lookup strings the check uses.
int valoreDispari(QChar c)
{
    static const QMap<QChar, int> tabella = [] {
        const char* const cifre = "0123456789";
        const int valoriCifre[] = {1, 0, 5, 7, 9, 13, 15, 17, 19, 21};
        const int valoriLettere[] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                     20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
        QMap<QChar, int> t;
        for (int i = 0; i < 10; ++i)
            t.insert(QLatin1Char(cifre[i]), valoriCifre[i]);
        for (int i = 0; i < 26; ++i)
            t.insert(QChar(u'A' + i), valoriLettere[i]);
        return t;
    }();
    return tabella.value(c);
}

int valorePari(QChar c)
{
    return c.isDigit() ? c.digitValue() : c.unicode() - u'A';
}

QChar carattereDiControllo(const QString& primiQuindici)
{
    int somma = 0;
    for (int i = 0; i < 15; ++i)
        somma += (i % 2 == 0) ? valoreDispari(primiQuindici[i]) : valorePari(primiQuindici[i]);
    return QChar(u'A' + somma % 26);
}

} // namespace

TEST(ControllaCF, ValidCodesPassAndAWrongCheckLetterAsksForTheRightOne)
{
    for (const char* codice : CodiciValidi) {
        const QString testo = QString::fromLatin1(codice);
        SCOPED_TRACE(codice);
        EXPECT_EQ(ControllaCF(testo), 0);
        EXPECT_EQ(ControllaCF(testo.toLower()), 0);
        // Only the first sixteen characters are judged.
        EXPECT_EQ(ControllaCF(testo + QStringLiteral("XYZ")), 0);

        QString sbagliato = testo;
        sbagliato.back() = QChar(u'A' + (testo.back().unicode() - u'A' + 13) % 26);
        EXPECT_EQ(ControllaCF(sbagliato), testo.back().unicode());
        sbagliato.back() = QLatin1Char('7');
        EXPECT_EQ(ControllaCF(sbagliato.toLower()), testo.back().unicode());
    }
}

// Thousands of codes shaped like real ones, homonym substitutions included,
// checked against the published tables.
TEST(ControllaCF, AgreesWithThePublishedTablesOnGeneratedCodes)
{
    QRandomGenerator caso(20160305);
    const QString omocodia = QStringLiteral("LMNPQRSTUV");
    const QString mesi = QStringLiteral("ABCDEHLMPRST");
    // The positions that hold digits in a first-issue code.
    const int posizioniCifre[] = {6, 7, 9, 10, 12, 13, 14};
    for (int n = 0; n < 5000; ++n) {
        QString codice;
        for (int i = 0; i < 6; ++i)
            codice += QChar(u'A' + caso.bounded(26));
        codice += QString::number(caso.bounded(100)).rightJustified(2, QLatin1Char('0'));
        codice += mesi[caso.bounded(12)];
        const int giorno = 1 + caso.bounded(31) + (caso.bounded(2) ? 40 : 0);
        codice += QString::number(giorno).rightJustified(2, QLatin1Char('0'));
        codice += QChar(u'A' + caso.bounded(26));
        codice += QString::number(caso.bounded(1000)).rightJustified(3, QLatin1Char('0'));
        // Homonym codes replace digits from the right.
        const int sostituite = caso.bounded(8);
        for (int k = 0; k < sostituite; ++k) {
            const int pos = posizioniCifre[6 - k];
            codice[pos] = omocodia[codice[pos].digitValue()];
        }
        const QChar controllo = carattereDiControllo(codice);
        ASSERT_EQ(ControllaCF(codice + controllo), 0) << (codice + controllo).toStdString();
        const QChar altro(u'A' + (controllo.unicode() - u'A' + 1 + caso.bounded(25)) % 26);
        ASSERT_EQ(ControllaCF(codice + altro), controllo.unicode())
            << (codice + altro).toStdString();
    }
}

TEST(ControllaCF, TheBytesOfALineAreJudgedAsTheirText)
{
    QList<QByteArray> codici;
    for (const char* codice : CodiciValidi) {
        codici << codice << QByteArray(codice).toLower() << QByteArray(codice).left(15) + 'A'
               << QByteArray(codice).left(15) << QByteArray(codice) + "X";
    }
    codici << "01234567890"
           << "0123456789a"
           << ""
           << "RSSMRA80A01H501"
           << "RSSMRA 0A01H501U"
           << "RSSMRA80A01H501\xC0"
           << "\xC0SSMRA80A01H501U"
           << "RSSMRA80A01H-01U";
    for (const QByteArray& codice : codici) {
        EXPECT_EQ(ControllaCF(QLatin1StringView(codice)), ControllaCF(QString::fromLatin1(codice)))
            << codice.toStdString();
    }
}

TEST(ControllaCF, ElevenCharactersAreACompanyCodeAnyOtherLengthAPersonsCode)
{
    const struct
    {
        const char16_t* codice;
        int esito; // -1: any value but 0
    } casi[] = {
        {u"01234567890", 0},
        {u"0123 567 90", 0},
        {u"01234567A90", 1},
        {u"01234567a90", 1},
        {u"RSSMRA80A01", 1},
        {u"01234567890 ", -1}, // twelve characters: a person's code, and a
                               // wrong one
        {u"0123456789", -1},
        {u"RSSMRA80A01H501", -1}, // fifteen: the sixteenth is a blank
        {u"", -1},
    };
    for (const auto& caso : casi) {
        const int esito = ControllaCF(caso.codice);
        if (caso.esito < 0)
            EXPECT_NE(esito, 0) << QString::fromUtf16(caso.codice).toStdString();
        else
            EXPECT_EQ(esito, caso.esito) << QString::fromUtf16(caso.codice).toStdString();
    }
}

TEST(ControllaCF, StrayCharactersNeverPassEvenWhenTheSumFits)
{
    // Blanks and punctuation add nothing to the sum, so the check character
    // they call for can be any character; the code is still no codice fiscale.
    EXPECT_NE(ControllaCF(u"               2"), 0);
    for (const char* base :
         {"RSSMRA80A01H50-", "RSS MRA80A01H501", "RSSMRA8/A01H501", "RSSMRÀ80A01H501"}) {
        const QString primi = QString::fromUtf8(base).left(15);
        const int richiesto = ControllaCF(primi + QLatin1Char(' '));
        ASSERT_NE(richiesto, 0);
        EXPECT_NE(ControllaCF(primi + QChar(richiesto)), 0) << base;
    }
}
