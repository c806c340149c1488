#include "communication/ControlloRiga.h"

#include "base/Cp1252.h"
#include "communication/RapportoErrori.h"
#include "shell/Cartelle.h"
#include "support/CartellaProva.h"
#include "support/RigaValida.h"

#include <gtest/gtest.h>

namespace {

const QString kTratteggio(100, QLatin1Char('-'));

RigaFoglio rigaValida(int numero)
{
    const QStringList valori = RigaValida::valori();
    return RigaFoglio{numero, {valori.begin(), valori.end()}};
}

// The report's lines after its five heading lines, as text.
QStringList righeErrore(const CartellaProva& cartella)
{
    const QString testo = Cp1252::decodifica(cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT")));
    QStringList righe = testo.split(QStringLiteral("\r\n"));
    return righe.mid(5);
}

class ControlloRigaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        auto caricati = CodiciControllo::carica(ambiente->db());
        ASSERT_TRUE(caricati.ok()) << caricati.errore().toStdString();
        codici = std::move(caricati).valore();
        rapporto = std::make_unique<RapportoErrori>(Cartelle::fileErroriImport(cartella.percorso()),
                                                    QStringLiteral("C:\\Dati\\operazioni.xlsx"));
    }

    void controlla(RigaFoglio& riga, const RegoleControllo& regole)
    {
        auto esito = ControllaRiga(riga, regole, codici, *rapporto);
        ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    }

    QStringList chiudiELeggi()
    {
        EXPECT_TRUE(rapporto->chiudi().ok());
        return righeErrore(cartella);
    }

    CartellaProva cartella;
    std::unique_ptr<Ambiente> ambiente;
    CodiciControllo codici;
    std::unique_ptr<RapportoErrori> rapporto;
};

} // namespace

TEST_F(ControlloRigaTest, AValidRowWritesNoReport)
{
    for (const RegoleControllo* regole : {&RegoleControllo::excel, &RegoleControllo::csv}) {
        RigaFoglio riga = rigaValida(3);
        riga.valori[8] = QStringLiteral("ita"); // a code in small letters passes as well
        controlla(riga, *regole);
    }
    EXPECT_FALSE(rapporto->erroriPresenti());
    EXPECT_TRUE(rapporto->chiudi().ok());
    EXPECT_FALSE(QFile::exists(cartella.file(QStringLiteral("ERRORE_IMPORT.TXT"))));
}

TEST_F(ControlloRigaTest, ReportHasItsHeadingTheErrorLinesAndTheClosingLine)
{
    RigaFoglio riga = rigaValida(7);
    riga.valori[1].clear();
    controlla(riga, RegoleControllo::excel);
    ASSERT_TRUE(rapporto->chiudi().ok());

    const QByteArray atteso =
        "------------------------------------------------------------------------------------------"
        "----------\r\n"
        "CONTROLLO ERRORI BLOCCANTI - COMUNICAZIONE MENSILE OAM\r\n"
        "Archivio: C:\\Dati\\operazioni.xlsx\r\n"
        "------------------------------------------------------------------------------------------"
        "----------\r\n"
        " \r\n"
        " Riga: 7 - Errore nel campo B4 (NOME)  Valore errato:  - Soggetto: ROSSI \r\n"
        "------------------------------------------------------------------------------------------"
        "----------\r\n";
    EXPECT_EQ(cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT")), atteso);
}

TEST_F(ControlloRigaTest, ARowWithOnlyTheNamesGivesSixteenLinesInFieldOrder)
{
    RigaFoglio riga;
    riga.valori.resize(kColonneFoglio);
    riga.numero = 12;
    riga.valori[0] = QStringLiteral("VERDI");
    riga.valori[1] = QStringLiteral("ANNA");
    controlla(riga, RegoleControllo::csv);

    const QString s = QStringLiteral(" - Soggetto: VERDI ANNA");
    const QString v = QStringLiteral(" Valore errato: ");
    const QString p = QStringLiteral(" Riga: 12 - Errore nel campo ");
    EXPECT_EQ(chiudiELeggi(), (QStringList{
                                  p + "B5 (SESSO) " + v + s,
                                  p + "B7 (DATA DI NASCITA) " + v + s,
                                  p + "B8 (NOME) " + v + s,
                                  p + "B9 (PROVINCIA DI NASCITA)" + v + s,
                                  p + "B10 (PAESE DI RESIDENZA)" + v + s,
                                  p + "B11 (SIGLA PAESE DI RESIDENZA)" + v + s,
                                  p + "B12 (TIPO DOCUMENTO)" + v + s,
                                  p + "B13 (NUMERO DOCUMENTO)" + v + s,
                                  p + "B14 (DATA DI SCADENZA DOCUMENTO)" + v + s,
                                  p + "B15 (AUTORITA RILASCIO DOCUMENTO)" + v + s,
                                  p + "B16 (LUOGO DI RILASCIO DOCUMENTO)" + v + s,
                                  p + "B17 (DATA OPERAZIONE)" + v + s,
                                  p + "B18 (LUOGO OPERAZIONE) " + v + s,
                                  p + "B19 (TIPO OPERAZIONE)" + v + s,
                                  p + "B20 (DIVISA ESTERA)" + v + s,
                                  p + "B24 (IDENTIFICATIVO TRANSAZIONE)" + v + s,
                                  kTratteggio,
                                  QString(),
                              }));
}

TEST_F(ControlloRigaTest, WrongValuesAreReportedWithTheirTrimmedOrRewrittenText)
{
    RigaFoglio riga = rigaValida(5);
    riga.valori[3] = QStringLiteral(" RSSMRA80A01H501X "); // wrong check letter
    riga.valori[4] = QStringLiteral("1/2/1990");           // read as day 12, month 19
    riga.valori[8] = QStringLiteral("XYZ");
    riga.valori[11] = QStringLiteral("31/04/2020");
    riga.valori[14] = QStringLiteral("0.00.00"); // an empty time cell: no date
    riga.valori[17] = QStringLiteral("ZZZ");
    controlla(riga, RegoleControllo::excel);

    const QString s = QStringLiteral(" - Soggetto: ROSSI MARIO");
    const QString p = QStringLiteral(" Riga: 5 - Errore nel campo ");
    EXPECT_EQ(chiudiELeggi(),
              (QStringList{
                  p + "B6 (CODICE FISCALE) Valore errato: RSSMRA80A01H501X" + s,
                  p + "B7 (DATA DI NASCITA)  Valore errato: 12191990" + s,
                  p + "B11 (SIGLA PAESE DI RESIDENZA) CODICE ERRATO Valore errato: XYZ" + s,
                  p + "B14 (DATA DI SCADENZA DOCUMENTO) Valore errato: 31042020" + s,
                  p + "B17 (DATA OPERAZIONE) Valore errato: 0.00.00" + s,
                  p + "B20 (DIVISA ESTERA) CODICE ERRATO Valore errato: ZZZ" + s,
                  kTratteggio,
                  QString(),
              }));
}

TEST_F(ControlloRigaTest, ExcelAndCsvDifferInCurrencyLabelSubjectAndWhatTheRecordGets)
{
    RigaFoglio excel = rigaValida(4);
    excel.valori[0] = QStringLiteral(" Rossi ");
    excel.valori[4] = QStringLiteral("12/05/80");
    excel.valori[17] = QStringLiteral(" QQQ ");
    RigaFoglio csv = excel;

    controlla(excel, RegoleControllo::excel);
    controlla(csv, RegoleControllo::csv);

    // The Excel row keeps its cells for the record but for a date the check
    // accepts, which both write as its eight digits; the CSV line is trimmed.
    EXPECT_EQ(excel.valori[0], QStringLiteral(" Rossi "));
    EXPECT_EQ(excel.valori[4], QStringLiteral("12051980"));
    EXPECT_EQ(excel.valori[17], QStringLiteral(" QQQ "));
    EXPECT_EQ(csv.valori[0], QStringLiteral("Rossi"));
    EXPECT_EQ(csv.valori[4], QStringLiteral("12051980"));
    EXPECT_EQ(csv.valori[17], QStringLiteral("QQQ"));

    EXPECT_EQ(chiudiELeggi(), (QStringList{
                                  " Riga: 4 - Errore nel campo B20 (DIVISA ESTERA) CODICE ERRATO "
                                  "Valore errato: QQQ - Soggetto:  Rossi  MARIO",
                                  " Riga: 4 - Errore nel campo B20 (DIVISA ESTERA)  Valore errato: "
                                  "QQQ - Soggetto: Rossi MARIO",
                                  kTratteggio,
                                  QString(),
                              }));
}

TEST_F(ControlloRigaTest, EmptyCodiceFiscaleAndLowerCaseCodesPass)
{
    RigaFoglio riga = rigaValida(3);
    riga.valori[8] = QStringLiteral("fra");
    riga.valori[17] = QStringLiteral("eur");
    riga.valori[3] = QStringLiteral("  "); // blank: no codice fiscale given
    controlla(riga, RegoleControllo::csv);
    EXPECT_FALSE(rapporto->erroriPresenti());
}

TEST_F(ControlloRigaTest, AReportThatCannotBeCreatedStopsTheRun)
{
    RapportoErrori bloccato(cartella.file(QStringLiteral("non/esiste/ERRORE_IMPORT.TXT")),
                            QString());
    RigaFoglio riga = rigaValida(3);
    riga.valori[2].clear();
    auto esito = ControllaRiga(riga, RegoleControllo::csv, codici, bloccato);
    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.errore().contains(QStringLiteral("ERRORE_IMPORT.TXT")));
}
