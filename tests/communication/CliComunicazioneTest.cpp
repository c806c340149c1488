#include "cli/Cli.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"
#include "support/RigaValida.h"

#include <QDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// The CSV line of a valid operation of `cognome`.
QByteArray lineaCsv(const char* cognome)
{
    return RigaValida::lineaCsv(RigaValida::con(0, QString::fromLatin1(cognome)));
}

class CliComunicazioneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        ASSERT_TRUE(ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), QStringLiteral("RSSMRA80A01H501U")},
                                    {QStringLiteral("OCF"), QStringLiteral("RSSMRA80A01H501U")},
                                    {QStringLiteral("ORAG"), QStringLiteral("ROSSI MARIO")},
                                    {QStringLiteral("OSTP"), QStringLiteral("F")},
                                    {QStringLiteral("OCOG"), QStringLiteral("ROSSI")},
                                    {QStringLiteral("ONOME"), QStringLiteral("MARIO")},
                                    {QStringLiteral("ONDT"), QStringLiteral("01/01/1980")},
                                    {QStringLiteral("OCITTAD"), QStringLiteral("01=ITALIANA")},
                                    {QStringLiteral("OSCOM"), QStringLiteral("TORINO")}})
                        .ok());
    }

    int esegui(QStringList argomenti)
    {
        out.clear();
        err.clear();
        QTextStream so(&out), se(&err);
        argomenti.prepend(cartella.percorso());
        argomenti.prepend(QStringLiteral("--cartella"));
        return eseguiCli(argomenti, so, se, cartella.file(QStringLiteral("bin")));
    }

    CartellaProva cartella;
    QString out, err;
};

} // namespace

TEST_F(CliComunicazioneTest, VuotaWritesTheStoredAgencyForThePreviousMonth)
{
    OrologioFisso oggi(QDate(2018, 1, 15));
    const QString output = cartella.file(QStringLiteral("vuota.txt"));
    ASSERT_EQ(esegui({QStringLiteral("vuota"), QStringLiteral("--agenzia"),
                      QStringLiteral("rssmra80a01h501u"), QStringLiteral("--output"), output}),
              0)
        << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("creata con successo")));
    const QByteArray file = cartella.leggi(QStringLiteral("vuota.txt"));
    ASSERT_EQ(file.size(), 900);
    EXPECT_EQ(file.mid(0, 13), "AOPMEN2017120");
    EXPECT_EQ(file.mid(83, 16), "RSSMRA80A01H501U");
    EXPECT_EQ(file.mid(99, 5), "ROSSI");
    EXPECT_EQ(file.mid(160, 8), "01011980");
    EXPECT_EQ(file.mid(210, 2), "01");
    EXPECT_EQ(file.mid(324, 6), "      "); // a PF agency's office is not written

    // An existing file is replaced only on request.
    EXPECT_EQ(esegui({QStringLiteral("vuota"), QStringLiteral("--agenzia"),
                      QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("--anno"),
                      QStringLiteral("2017"), QStringLiteral("--mese"), QStringLiteral("9"),
                      QStringLiteral("--output"), output}),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("--sovrascrivi")));
    EXPECT_EQ(esegui({QStringLiteral("vuota"), QStringLiteral("--agenzia"),
                      QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("--anno"),
                      QStringLiteral("2017"), QStringLiteral("--mese"), QStringLiteral("9"),
                      QStringLiteral("--output"), output, QStringLiteral("--sovrascrivi")}),
              0);
    EXPECT_EQ(cartella.leggi(QStringLiteral("vuota.txt")).mid(0, 13), "AOPMEN2017090");
}

TEST_F(CliComunicazioneTest, WrongArgumentsAndUnknownAgencyWriteNothing)
{
    const QString output = cartella.file(QStringLiteral("x.txt"));
    const QList<QStringList> casi = {
        {QStringLiteral("vuota"), QStringLiteral("--output"), output},
        {QStringLiteral("vuota"), QStringLiteral("--agenzia"), QStringLiteral("NESSUNA"),
         QStringLiteral("--output"), output},
        {QStringLiteral("vuota"), QStringLiteral("--agenzia"), QStringLiteral("RSSMRA80A01H501U"),
         QStringLiteral("--mese"), QStringLiteral("13"), QStringLiteral("--output"), output},
        {QStringLiteral("comunicazione"), QStringLiteral("--agenzia"),
         QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("--foglio"),
         cartella.file(QStringLiteral("a.csv")), QStringLiteral("--output"), output,
         QStringLiteral("--prima-riga"), QStringLiteral("tre")},
        {QStringLiteral("comunicazione"), QStringLiteral("--agenzia"),
         QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("--foglio")},
    };
    for (const QStringList& argomenti : casi) {
        EXPECT_EQ(esegui(argomenti), 2) << argomenti.join(' ').toStdString();
        EXPECT_FALSE(err.isEmpty());
    }
    EXPECT_FALSE(QFile::exists(output));
}

TEST_F(CliComunicazioneTest, CsvSheetGivesExitCodeByOutcome)
{
    cartella.scrivi(QStringLiteral("operazioni.csv"),
                    "COGNOME;NOME\r\n\r\n" + lineaCsv("\"Rossi\"") + lineaCsv("Bianchi"));
    const QStringList base = {QStringLiteral("comunicazione"),
                              QStringLiteral("--agenzia"),
                              QStringLiteral("RSSMRA80A01H501U"),
                              QStringLiteral("--anno"),
                              QStringLiteral("2017"),
                              QStringLiteral("--mese"),
                              QStringLiteral("09"),
                              QStringLiteral("--foglio"),
                              cartella.file(QStringLiteral("operazioni.csv")),
                              QStringLiteral("--output"),
                              cartella.file(QStringLiteral("coam.txt")),
                              QStringLiteral("--sostitutiva")};
    ASSERT_EQ(esegui(base), 0) << err.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("creata con successo")));
    // The second row repeats the first one's transaction identifier: advice, not an error.
    EXPECT_TRUE(out.endsWith(QStringLiteral(" record)\nAvvisi: 1\n"))) << out.toStdString();
    QByteArray file = cartella.leggi(QStringLiteral("coam.txt"));
    ASSERT_EQ(file.size(), 4 * 450);
    EXPECT_EQ(file.mid(12, 1), "1");
    EXPECT_EQ(file.mid(450, 17), "B0000000001ROSSI ");
    EXPECT_EQ(file.mid(900, 19), "B0000000002BIANCHI ");
    EXPECT_EQ(file.mid(1350 + 201, 11), "00000000002");

    // From line 1 the heading line is read as an operation, and it is short of fields.
    ASSERT_EQ(esegui(base + QStringList{QStringLiteral("--prima-riga"), QStringLiteral("1"),
                                        QStringLiteral("--sovrascrivi")}),
              2);
    EXPECT_TRUE(err.startsWith(QStringLiteral("Errore Lettura foglio: "))) << err.toStdString();
    EXPECT_EQ(cartella.leggi(QStringLiteral("coam.txt")), file)
        << "a failed run keeps the older file";

    cartella.scrivi(QStringLiteral("operazioni.csv"),
                    "X\r\nY\r\n" + lineaCsv("") + lineaCsv("Verdi"));
    ASSERT_EQ(esegui(base + QStringList{QStringLiteral("--sovrascrivi")}), 1);
    const QString rapporto = cartella.file(QStringLiteral("ERRORE_IMPORT.TXT"));
    EXPECT_TRUE(out.contains(QStringLiteral("creata CON ERRORI")));
    EXPECT_TRUE(out.contains(QDir::toNativeSeparators(rapporto)));
    EXPECT_TRUE(out.endsWith(QStringLiteral("\nAvvisi: 1\n"))) << out.toStdString();
    EXPECT_TRUE(cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT"))
                    .contains(" Riga: 3 - Errore nel campo B3 (COGNOME) "));
    file = cartella.leggi(QStringLiteral("coam.txt"));
    EXPECT_EQ(file.size(), 4 * 450);
}

TEST_F(CliComunicazioneTest, AShortCsvLineFailsTheRunAndLeavesNoFile)
{
    cartella.scrivi(QStringLiteral("operazioni.csv"),
                    "A\r\nB\r\n" + lineaCsv("Rossi") + "Bianchi;MARIO;M\r\n");
    EXPECT_EQ(esegui({QStringLiteral("comunicazione"), QStringLiteral("--agenzia"),
                      QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("--foglio"),
                      cartella.file(QStringLiteral("operazioni.csv")), QStringLiteral("--output"),
                      cartella.file(QStringLiteral("coam.txt"))}),
              2);
    EXPECT_TRUE(err.startsWith(QStringLiteral("Errore Lettura foglio: "))) << err.toStdString();
    EXPECT_FALSE(QFile::exists(cartella.file(QStringLiteral("coam.txt"))));
}
