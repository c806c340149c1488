#include "communication/LeggiFoglio.h"

#include "FoglioInMemoria.h"
#include "communication/ControlloRiga.h"
#include "communication/DatiAgenzia.h"
#include "communication/RecordComunicazione.h"
#include "shell/Cartelle.h"
#include "support/CartellaProva.h"
#include "support/RigaValida.h"
#include "xlsx/ScriviXlsx.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QStringList rigaValida(const QString& cognome)
{
    return RigaValida::con(0, cognome);
}

QList<QByteArray> righe(const QByteArray& file)
{
    QList<QByteArray> elenco = file.split('\n');
    EXPECT_TRUE(elenco.last().isEmpty()) << "the last record must end with CR LF";
    elenco.removeLast();
    for (QByteArray& r : elenco) {
        EXPECT_TRUE(r.endsWith('\r'));
        r.chop(1);
    }
    return elenco;
}

class LeggiFoglioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        richiesta.agenzia.anno = QStringLiteral("2017");
        richiesta.agenzia.mese = QStringLiteral("09");
        richiesta.agenzia.codiceFiscale = QStringLiteral("01234567890");
        richiesta.agenzia.ragioneSociale = QStringLiteral("ROSSI CAMBI");
        richiesta.foglio = cartella.file(QStringLiteral("operazioni.xlsx"));
        richiesta.fileComunicazione = cartella.file(QStringLiteral("COAM.TXT"));
        richiesta.fileErrori = Cartelle::fileErroriImport(cartella.percorso());
    }

    Esito<RisultatoComunicazione> scrivi(LettoreFoglio& foglio,
                                         const RegoleControllo& regole = RegoleControllo::excel,
                                         const AvanzamentoLettura& avanzamento = {})
    {
        return ScriviComunicazione(ambiente->db(), richiesta, foglio, regole, avanzamento);
    }

    QByteArray comunicazione() const { return cartella.leggi(QStringLiteral("COAM.TXT")); }
    QByteArray rapporto() const { return cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT")); }

    CartellaProva cartella;
    std::unique_ptr<Ambiente> ambiente;
    RichiestaComunicazione richiesta;
};

} // namespace

TEST_F(LeggiFoglioTest, WritesHeaderOneRecordPerRowAndTrailer)
{
    FoglioInMemoria foglio;
    foglio.riga(rigaValida(QStringLiteral("ROSSI")))
        .riga(rigaValida(QStringLiteral("BIANCHI")))
        .riga(rigaValida(QStringLiteral("VERDI")));
    int avvisato = 0;
    auto esito = scrivi(foglio, RegoleControllo::excel,
                        [&avvisato](const Avanzamento& a) { avvisato = a.riga; });
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(esito->recordB, 3);
    EXPECT_FALSE(esito->erroriPresenti);
    EXPECT_EQ(avvisato, 3); // the first row is always announced

    const QByteArray file = comunicazione();
    ASSERT_EQ(file.size(), 5 * 450);
    const auto r = righe(file);
    ASSERT_EQ(r.size(), 5);
    EXPECT_EQ(r[0], RecordA(richiesta.agenzia));
    EXPECT_EQ(r[1].left(17), "B0000000001ROSSI ");
    EXPECT_EQ(r[2].left(19), "B0000000002BIANCHI ");
    EXPECT_EQ(r[3].left(17), "B0000000003VERDI ");
    EXPECT_EQ(r[4], RecordZ(3).valore());
    EXPECT_TRUE(rapporto().isNull());
}

TEST_F(LeggiFoglioTest, ASheetWithoutDataGivesHeaderAndTrailerOnly)
{
    FoglioInMemoria foglio;
    auto esito = scrivi(foglio);
    ASSERT_TRUE(esito.ok());
    EXPECT_EQ(esito->recordB, 0);
    const auto r = righe(comunicazione());
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[1].mid(201, 11), "00000000000");
}

TEST_F(LeggiFoglioTest, RowsWithErrorsAreWrittenAndReported)
{
    FoglioInMemoria foglio;
    foglio.riga(rigaValida(QStringLiteral("ROSSI"))).riga(rigaValida(QString()));
    auto esito = scrivi(foglio);
    ASSERT_TRUE(esito.ok());
    EXPECT_EQ(esito->recordB, 2);
    EXPECT_TRUE(esito->erroriPresenti);
    EXPECT_EQ(esito->fileErrori, cartella.file(QStringLiteral("ERRORE_IMPORT.TXT")));
    EXPECT_EQ(righe(comunicazione()).size(), 4);
    const auto report = righe(rapporto());
    ASSERT_EQ(report.size(), 7);
    EXPECT_EQ(report[2], "Archivio: " + QDir::toNativeSeparators(richiesta.foglio).toUtf8());
    EXPECT_EQ(report[5],
              " Riga: 4 - Errore nel campo B3 (COGNOME)  Valore errato:  - Soggetto:  MARIO");
    EXPECT_EQ(report[6], QByteArray(100, '-'));
}

TEST_F(LeggiFoglioTest, ExcelCellsAreWrittenAsTheyStandCsvFieldsTrimmedDatesAsTheirDigitsInBoth)
{
    QStringList valori = rigaValida(QStringLiteral(" Rossi"));
    valori[4] = QStringLiteral("12/05/80");
    valori[11] = QStringLiteral("31-12-2030");
    FoglioInMemoria excel;
    excel.riga(valori);
    ASSERT_TRUE(scrivi(excel, RegoleControllo::excel).ok());
    const QByteArray daExcel = righe(comunicazione())[1];
    EXPECT_EQ(daExcel.mid(11, 6), " ROSSI");
    // A text date the check accepts goes in as the date it was read as.
    EXPECT_EQ(daExcel.mid(88, 8), "12051980");
    EXPECT_EQ(daExcel.mid(203, 8), "31122030");

    FoglioInMemoria csv(1);
    csv.riga(valori);
    ASSERT_TRUE(scrivi(csv, RegoleControllo::csv).ok());
    const QByteArray daCsv = righe(comunicazione())[1];
    EXPECT_EQ(daCsv.mid(11, 6), "ROSSI ");
    EXPECT_EQ(daCsv.mid(88, 8), "12051980");
}

TEST_F(LeggiFoglioTest, ARunWithoutErrorsLeavesTheOlderReportUntouched)
{
    cartella.scrivi(QStringLiteral("ERRORE_IMPORT.TXT"), "vecchio rapporto\r\n");
    FoglioInMemoria foglio;
    foglio.riga(rigaValida(QStringLiteral("ROSSI")));
    auto esito = scrivi(foglio);
    ASSERT_TRUE(esito.ok());
    EXPECT_FALSE(esito->erroriPresenti);
    EXPECT_EQ(rapporto(), "vecchio rapporto\r\n");
}

TEST_F(LeggiFoglioTest, AFailedRunKeepsTheOlderCommunicationAndReport)
{
    cartella.scrivi(QStringLiteral("COAM.TXT"), "comunicazione precedente\r\n");
    cartella.scrivi(QStringLiteral("ERRORE_IMPORT.TXT"), "vecchio rapporto\r\n");

    QStringList importoLungo = rigaValida(QString()); // an error line first, then a fatal amount
    importoLungo[18] = QStringLiteral("123456789012345,00");
    FoglioInMemoria conImporto;
    conImporto.riga(rigaValida(QStringLiteral("ROSSI"))).riga(importoLungo);
    auto esito = scrivi(conImporto);
    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.errore().startsWith(QStringLiteral("Riga 4, campo B21")))
        << esito.errore().toStdString();

    FoglioInMemoria illeggibile;
    illeggibile.riga(rigaValida(QStringLiteral("ROSSI")))
        .errore(QStringLiteral("foglio danneggiato"));
    esito = scrivi(illeggibile);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.errore(), QStringLiteral("foglio danneggiato"));

    // Stopped by the clerk: the same, and said so.
    FoglioInMemoria interrotto;
    interrotto.riga(rigaValida(QString())).riga(rigaValida(QStringLiteral("ROSSI")));
    const std::atomic<bool> interruzione = true;
    richiesta.interruzione = &interruzione;
    esito = scrivi(interrotto);
    richiesta.interruzione = nullptr;
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, kLetturaInterrotta);
    EXPECT_EQ(esito.errore(), kMessaggioInterrotta);

    EXPECT_EQ(comunicazione(), "comunicazione precedente\r\n");
    EXPECT_EQ(rapporto(), "vecchio rapporto\r\n");

    richiesta.fileComunicazione = cartella.file(QStringLiteral("manca/COAM.TXT"));
    FoglioInMemoria vuoto;
    esito = scrivi(vuoto);
    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.errore().contains(QDir::toNativeSeparators(richiesta.fileComunicazione)));

    const QStringList rimasti =
        QDir(cartella.percorso()).entryList({QStringLiteral("COAM*")}, QDir::Files);
    EXPECT_EQ(rimasti, QStringList{QStringLiteral("COAM.TXT")})
        << "no temporary file may be left behind";
}

TEST_F(LeggiFoglioTest, WorkbookIsReadFromRowThreeUntilBothNamesAreBlank)
{
    using S = ScriviXlsx;
    QByteArray celle =
        S::testo("A3", QStringLiteral(" Rossi")) + S::testo("B3", QStringLiteral("Mario"));
    const QStringList resto = RigaValida::valori();
    for (int c = 2; c < 22; ++c) {
        const QByteArray colonna = S::lettere(c);
        if (c == 4) // a date typed as text stays as the clerk wrote it
            celle += S::testo("E3", QStringLiteral("12/05/80"));
        else if (c == 14) // a date cell: 15/09/2017
            celle += S::cella("O3", "", "42993", S::Data14);
        else if (c == 18)
            celle += S::cella("S3", "", "1500.75");
        else if (!resto[c].isEmpty())
            celle += S::testo(colonna + '3', resto[c]);
    }
    const QByteArray righeXlsx = S::riga(1, S::testo("A1", QStringLiteral("COGNOME"))) +
                                 S::riga(3, celle) +
                                 S::riga(4, S::testo("C4", QStringLiteral("M"))) +
                                 S::riga(5, S::testo("A5", QStringLiteral("MAI LETTO")));
    ASSERT_TRUE(S::crea(richiesta.foglio, righeXlsx));

    int avvisato = 0;
    auto esito = LeggiFoglio(ambiente->db(), richiesta,
                             [&avvisato](const Avanzamento& a) { avvisato = a.riga; });
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(esito->recordB, 1);
    EXPECT_EQ(avvisato, 3);
    const auto r = righe(comunicazione());
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[1].mid(0, 17), "B0000000001 ROSSI");
    EXPECT_EQ(r[1].mid(88, 8), "12051980");
    EXPECT_EQ(r[1].mid(291, 8), "15092017");
    EXPECT_EQ(r[1].mid(343, 14), "00000000001500");
    EXPECT_EQ(r[2].mid(201, 11), "00000000001");
}

TEST_F(LeggiFoglioTest, TheSheetItselfIsNeverOverwritten)
{
    richiesta.foglio = cartella.file(QStringLiteral("operazioni.csv"));
    cartella.scrivi(QStringLiteral("operazioni.csv"), "dati del cliente\r\n");
    richiesta.fileComunicazione = richiesta.foglio;
    ASSERT_FALSE(LeggiFoglio(ambiente->db(), richiesta).ok());
    EXPECT_EQ(cartella.leggi(QStringLiteral("operazioni.csv")), "dati del cliente\r\n");
}

TEST_F(LeggiFoglioTest, CsvLinesReadFromTheirBytesGiveWhatTheirTextsGive)
{
    // With ";" most lines go from their bytes to their records; with "||"
    // every line is read as text. Both must write the very same files, for
    // rows that pass and rows that fail every kind of check.
    using RigaValida::con;
    const QList<QStringList> righeCsv = {
        RigaValida::valori(),
        con(0, QStringLiteral(" \tde rossi \v")), // blanks around, small letters
        con(0, QStringLiteral("   ")),            // blanks only: empty
        con(1, QString()),
        con(3, QStringLiteral("rssmra80a01h501u")), // a valid codice fiscale, small
        con(3, QStringLiteral("RSSMRA80A01H501X")), // its check letter wrong
        con(3, QStringLiteral("01234567890")),      // a company's numeric code
        con(3, QStringLiteral("0123456789A")),
        con(4, QStringLiteral("12/05/80")), // six digits, the century added
        con(4, QStringLiteral(" 01-01-1980 ")),
        con(4, QStringLiteral("1/2/1980")), // seven digits: no date
        con(4, QStringLiteral("31/02/2020")),
        con(4, QStringLiteral("01/01/19801")), // too long
        con(11, QStringLiteral("0.00.00")),
        con(14, QString()),
        con(8, QStringLiteral("ita")),
        con(8, QStringLiteral("XXX")),  // no such country
        con(17, QStringLiteral("qqq")), // no such currency
        con(17, QString()),
        con(18, QStringLiteral("1.500,75")),
        con(19, QStringLiteral("12345678901234,5")),      // the whole field
        con(5, QString(50, QLatin1Char('x'))),            // cut to its field
        con(5, QStringLiteral("ROMA\x01") + QChar(0x7F)), // control characters: blanks
        con(5, QStringLiteral("FORLÌ")),                  // beyond ASCII: read as text
        con(5, QStringLiteral("\"ROMA\"")),               // quotes: read as text
        rigaValida(QStringLiteral("ULTIMO")) << QStringLiteral("in più"),
    };
    struct Esito
    {
        QString errore;
        QByteArray comunicazione;
        QByteArray rapporto;
    };
    richiesta.foglio = cartella.file(QStringLiteral("operazioni.csv"));
    const auto esegui = [&](const QList<QStringList>& righeFoglio, const QString& separatore) {
        QByteArray contenuto = "COGNOME\r\n\r\n";
        for (const QStringList& riga : righeFoglio)
            contenuto += riga.join(separatore).toLatin1() + "\r\n";
        cartella.scrivi(QStringLiteral("operazioni.csv"), contenuto);
        QFile::remove(richiesta.fileComunicazione);
        QFile::remove(cartella.file(QStringLiteral("ERRORE_IMPORT.TXT")));
        richiesta.separatoreCsv = separatore;
        auto esito = LeggiFoglio(ambiente->db(), richiesta);
        return Esito{esito.ok() ? QString() : esito.errore(), comunicazione(), rapporto()};
    };

    const Esito byte = esegui(righeCsv, QStringLiteral(";"));
    const Esito testo = esegui(righeCsv, QStringLiteral("||"));
    ASSERT_EQ(byte.errore, QString());
    EXPECT_EQ(righe(byte.comunicazione).size(), righeCsv.size() + 2);
    EXPECT_EQ(byte.comunicazione, testo.comunicazione);
    EXPECT_FALSE(byte.rapporto.isEmpty());
    EXPECT_EQ(byte.rapporto, testo.rapporto);

    // An amount too long for its field stops the run on either road alike.
    const QList<QStringList> fatale = {RigaValida::valori(),
                                       con(20, QStringLiteral("123456789012345"))};
    const Esito fatale1 = esegui(fatale, QStringLiteral(";"));
    EXPECT_TRUE(fatale1.errore.startsWith(QStringLiteral("Riga 4, campo B23")))
        << fatale1.errore.toStdString();
    EXPECT_EQ(fatale1.errore, esegui(fatale, QStringLiteral("||")).errore);
}

TEST(FoglioCsv, TheWholePathDecidesInAnyCase)
{
    EXPECT_TRUE(FoglioCsv(QStringLiteral("C:/Dati/operazioni.csv")));
    EXPECT_TRUE(FoglioCsv(QStringLiteral("C:/Dati/dati.Csv.xlsx")));
    EXPECT_TRUE(FoglioCsv(QStringLiteral("C:/Export_csv/operazioni.xlsx")));
    EXPECT_FALSE(FoglioCsv(QStringLiteral("C:/Dati/operazioni.xlsx")));
    EXPECT_FALSE(FoglioCsv(QStringLiteral("C:/Dati/operazioni.xls")));
}
