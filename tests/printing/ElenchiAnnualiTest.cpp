#include "printing/ElenchiAnnuali.h"

#include <gtest/gtest.h>

using ElenchiAnnuali::Elenco;

// Sibling programs and the assistance line compare these statements as text,
// so they are checked character for character, blanks included.
TEST(ElenchiAnnuali, SqlOfBothListsForOneYear)
{
    EXPECT_EQ(ElenchiAnnuali::SqlStampa(Elenco::Operazioni, QStringLiteral("RSSMRA80A01H501U"),
                                        QStringLiteral("2016")),
              QStringLiteral(
                  "SELECT * FROM COPERA WHERE  OCOD='RSSMRA80A01H501U' AND (((ODATA)>=#2016/01/01#"
                  "  And (ODATA)<=#2016/12/31#)) ORDER BY ODATA, ADES"));
    EXPECT_EQ(
        ElenchiAnnuali::SqlStampa(Elenco::NoteVariazione, QStringLiteral("01234567890"),
                                  QStringLiteral("2016")),
        QStringLiteral("SELECT * FROM CNOTEV WHERE  OCOD='01234567890' AND (((ODATA)>=#2016/01/01#"
                       "  And (ODATA)<=#2016/12/31#)) ORDER BY ODATA, ADES"));
    // A quote in the code cannot end the value early.
    EXPECT_TRUE(
        ElenchiAnnuali::SqlStampa(Elenco::Operazioni, QStringLiteral("D'A"), QStringLiteral("2016"))
            .contains(QStringLiteral("OCOD='D''A' AND")));
}

TEST(ElenchiAnnuali, ProposedPdfNamesAndTitles)
{
    EXPECT_EQ(ElenchiAnnuali::nomePdf(Elenco::Operazioni, QStringLiteral("2016"),
                                      QStringLiteral("RSSMRA80A01H501U")),
              QStringLiteral("ZEFIRANTE_2016_RSSMRA80A01H501U_OPERAZIONI"));
    EXPECT_EQ(ElenchiAnnuali::nomePdf(Elenco::NoteVariazione, QStringLiteral("2016"),
                                      QStringLiteral("01234567890")),
              QStringLiteral("ZEFIRANTE_2016_01234567890_NOTEVAR"));
    EXPECT_EQ(ElenchiAnnuali::titolo(Elenco::Operazioni, QStringLiteral("2016")),
              QStringLiteral("ZEFIRANTE - Elenco OPERAZIONI ANNO 2016"));
    EXPECT_EQ(ElenchiAnnuali::titolo(Elenco::NoteVariazione, QStringLiteral("2016")),
              QStringLiteral("ZEFIRANTE - Elenco NOTE DI VARIAZIONE ANNO 2016"));
}

TEST(ElenchiAnnuali, PdfExtensionAddedOnlyWhenMissing)
{
    const struct
    {
        const char* scelto;
        const char* atteso;
    } casi[] = {
        {"/tmp/elenco", "/tmp/elenco.PDF"},
        {"/tmp/elenco.", "/tmp/elenco.PDF"},
        {"/tmp/elenco.pdf", "/tmp/elenco.pdf"},
        {"/tmp/elenco.PDF", "/tmp/elenco.PDF"},
        {"/tmp/cartella.2016/elenco", "/tmp/cartella.2016/elenco.PDF"},
    };
    for (const auto& caso : casi)
        EXPECT_EQ(ElenchiAnnuali::conEstensionePdf(QString::fromLatin1(caso.scelto)),
                  QString::fromLatin1(caso.atteso))
            << caso.scelto;
}

TEST(ElenchiAnnuali, OnlyFourDigitYearsAreAccepted)
{
    for (const char* buono : {"2016", "1999", "2100"})
        EXPECT_TRUE(ElenchiAnnuali::annoValido(QString::fromLatin1(buono))) << buono;
    for (const char* cattivo :
         {"", "16", "216", "20166", "2O16", "0201", "20 6", "-201", "２０１６"})
        EXPECT_FALSE(ElenchiAnnuali::annoValido(QString::fromUtf8(cattivo))) << cattivo;
}
