#include "backup/FormatoArchivio.h"

#include "backup/NomiArchivio.h"
#include "backup/ValoriArchivio.h"
#include "support/OrologioFisso.h"

#include <QDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(NumeroArchivio, WrittenWithTheCommaAlwaysAndReadBackRounded)
{
    const struct
    {
        double valore;
        const char* atteso;
    } casi[] = {
        {0.0, ","},
        {-0.0, ","},
        {0.001, ","},
        {1500.0, "1500,"},
        {1500.75, "1500,75"},
        {1500.7, "1500,7"},
        {0.5, ",5"},
        {0.05, ",05"},
        {-0.25, "-,25"},
        {-3.0, "-3,"},
        {0.999, "1,"},
        {2.345, "2,35"},
        {123456789.12, "123456789,12"},
        {1e12, "1000000000000,"},
    };
    for (const auto& caso : casi) {
        const QString testo = ValoriArchivio::numero(caso.valore);
        EXPECT_EQ(testo, QString::fromLatin1(caso.atteso)) << caso.valore;
        const auto letto = ValoriArchivio::valore(testo, TipoCampo::Numero);
        ASSERT_TRUE(letto.ok()) << caso.atteso;
        EXPECT_DOUBLE_EQ(letto->toDouble(), std::round(caso.valore * 100) / 100) << caso.atteso;
    }
    EXPECT_EQ(ValoriArchivio::numero(std::numeric_limits<double>::quiet_NaN()), QString());
}

TEST(ValoreArchivio, ByColumnKindAndNeverASilentZero)
{
    const struct
    {
        const char* testo;
        TipoCampo tipo;
        QVariant atteso;
    } casi[] = {
        {"", TipoCampo::Numero, QVariant(0.0)},
        {"   ", TipoCampo::Numero, QVariant(0.0)},
        {",", TipoCampo::Numero, QVariant(0.0)},
        {"1500,", TipoCampo::Numero, QVariant(1500.0)},
        {"1.500,75", TipoCampo::Numero, QVariant(1500.75)},
        {"42", TipoCampo::Numero, QVariant(42.0)},
        {"ROSSI ", TipoCampo::Testo, QVariant(QStringLiteral("ROSSI "))},
        {"2017-09-06", TipoCampo::Data, QVariant(QStringLiteral("2017-09-06"))},
    };
    for (const auto& caso : casi) {
        const auto letto = ValoriArchivio::valore(QString::fromLatin1(caso.testo), caso.tipo);
        ASSERT_TRUE(letto.ok()) << caso.testo;
        EXPECT_EQ(*letto, caso.atteso) << caso.testo;
    }
    // Blank: the empty text, not Null, in a text column; no date in a date column.
    EXPECT_FALSE(ValoriArchivio::valore(QString(), TipoCampo::Testo)->toString().isNull());
    EXPECT_TRUE(ValoriArchivio::valore(QStringLiteral(" "), TipoCampo::Data)->toString().isNull());
    for (const char* testo : {"abc", "-", "1,2,3", "1e999", "nan", "12 34"})
        EXPECT_FALSE(ValoriArchivio::valore(QString::fromLatin1(testo), TipoCampo::Numero).ok())
            << testo;
}

TEST(RigheArchivio, RecognitionLooksAtTheFirstLineOnly)
{
    EXPECT_TRUE(Archivio::leggiRighe("\xA6"
                                     "COPE\xA6"
                                     "A1\xA6"
                                     "X\r\n")
                    .ok());
    EXPECT_TRUE(Archivio::leggiRighe("#COPE#A1#X\r\n").ok());
    const QByteArray rifiutati[] = {
        QByteArray(),
        "\xA6"
        "CTAB\xA6"
        "T\xA6"
        "A1\xA6"
        "D\r\n\xA6"
        "COPE\xA6"
        "A1\r\n",
        "\r\n\xA6"
        "COPE\xA6"
        "A1\r\n", // the agency row must come first
        "\xEF\xBB\xBF\xA6"
        "COPE\xA6"
        "A1", // a text editor's UTF-8 mark
        "\xC2\xA6"
        "COPE\xC2\xA6"
        "A1", // the separator saved as UTF-8
        "\xA6"
        "COPE\xA6"
        "   \xA6"
        "X", // no agency code
        "\xA6"
        "COPE\xA6",
        QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16),
    };
    for (const QByteArray& contenuto : rifiutati) {
        const auto righe = Archivio::leggiRighe(contenuto);
        ASSERT_FALSE(righe.ok()) << contenuto.toHex().toStdString();
        EXPECT_EQ(righe.errore(), Archivio::NonArchivio);
    }
}

TEST(RigheArchivio, EachLineIsSplitAtItsOwnFirstCharacter)
{
    // Line ends of any kind, blank lines skipped, separators mixed line by line.
    const auto righe = Archivio::leggiRighe("\xA6"
                                            "COPE\xA6"
                                            "A1\xA6\xA6"
                                            "ROSSI\r\n"
                                            "   \r\n"
                                            "#CTAB#T1#A1#DESC\xA6"
                                            "UNO\n"
                                            "\r"
                                            "\xA6"
                                            "CTAB\xA6"
                                            "T2\xA6"
                                            "A1\xA6"
                                            "\rlast");
    ASSERT_TRUE(righe.ok());
    ASSERT_EQ(righe->size(), 4);
    EXPECT_EQ(righe->at(0).tabella, QStringLiteral("COPE"));
    EXPECT_EQ(righe->at(0).valori,
              (QStringList{QStringLiteral("A1"), QString(), QStringLiteral("ROSSI")}));
    EXPECT_EQ(righe->at(1).numero, 3);
    EXPECT_EQ(righe->at(1).valori, (QStringList{QStringLiteral("T1"), QStringLiteral("A1"),
                                                QStringLiteral("DESC\u00A6UNO")}));
    EXPECT_EQ(righe->at(2).valori,
              (QStringList{QStringLiteral("T2"), QStringLiteral("A1"), QString()}));
    EXPECT_EQ(righe->at(3).numero, 6);
    EXPECT_EQ(righe->at(3).tabella, QStringLiteral("ast"));
}

TEST(NomiArchivio, DateStampedNamesAndASafeSafetyCopyName)
{
    OrologioFisso orologio(QDate(2017, 9, 6));
    EXPECT_EQ(NomiArchivio::salvataggio(QStringLiteral("Rossi Cambi S.r.l.")),
              QStringLiteral("SAVE_ROSSICAMBISRL_20170906.ZFOAM"));
    const QString cartella = QStringLiteral("/app");
    EXPECT_EQ(NomiArchivio::copiaSicurezza(cartella, QStringLiteral(" RSSMRA80A01H501U ")),
              QDir(cartella).filePath(QStringLiteral("BFRR_RSSMRA80A01H501U_20170906.COR")));
    // A code read from an archive cannot lead the copy out of the folder.
    EXPECT_EQ(NomiArchivio::copiaSicurezza(cartella, QStringLiteral("../../etc/x")),
              QDir(cartella).filePath(QStringLiteral("BFRR_______etc_x_20170906.COR")));
}
