#include "shell/Descrittore.h"

#include "shell/ImportaAgenzieCollegate.h"
#include "shell/ImportaDivise.h"
#include "shell/Offusca.h"
#include "storage/Connessione.h"
#include "storage/Database.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"

#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>

TEST(Offusca, ReadUndoesWriteForEveryKeyAndByte)
{
    QByteArray tutti(256, '\0');
    for (int b = 0; b < 256; ++b)
        tutti[b] = static_cast<char>(b);
    // Every byte at many positions: the shift grows with the position.
    const QByteArray testo = tutti + tutti + tutti;
    for (int riga = 1; riga <= 4; ++riga) {
        const int chiave = Descrittore::chiaveRiga(riga);
        const QByteArray scritto = Offusca::Offusca(testo, Offusca::Modo::Scrivi, chiave);
        EXPECT_NE(scritto, testo);
        EXPECT_EQ(Offusca::Offusca(scritto, Offusca::Modo::Leggi, chiave), testo)
            << "riga " << riga;
    }
    // Byte i (from 1) moves by key + i.
    EXPECT_EQ(Offusca::Offusca("AAA", Offusca::Modo::Scrivi, 3), QByteArray("EFG"));
}

TEST(Descrittore, FourScrambledLinesInWindows1252)
{
    const QStringList righe{
        QStringLiteral("Driver=QSQLITE;Data Source=C:\\Zefirante\\DataBase\\ZEFIRANTE.db"),
        QStringLiteral("A"), QStringLiteral("C:\\Zefirante Città"), QString()};
    const QByteArray byte = Descrittore::codifica(righe);
    EXPECT_EQ(byte.count("\r\n"), 4);
    EXPECT_TRUE(byte.endsWith("\r\n\r\n")); // the fourth line is empty
    // Line 2 is "A" moved by its key + 1.
    const QList<QByteArray> linee = byte.split('\n');
    EXPECT_EQ(linee.at(1),
              QByteArray(1, static_cast<char>('A' + Descrittore::chiaveRiga(2) + 1)) + '\r');
    // Line 3 holds "à" as the single byte 0xE0, moved like any other.
    const int posizioneA = 16; // "C:\Zefirante Citt" is 17 characters; "à" is the 18th
    EXPECT_EQ(static_cast<unsigned char>(linee.at(2).at(posizioneA + 1)),
              (0xE0 + Descrittore::chiaveRiga(3) + posizioneA + 2) % 256);
    EXPECT_EQ(Descrittore::decodifica(byte), righe);
}

TEST(Descrittore, ALineThatWouldHoldALineBreakIsWrittenEmpty)
{
    // Byte 13 - key - 1 (mod 256) at position 1 would scramble into CR.
    const char critico = static_cast<char>((13 - Descrittore::chiaveRiga(1) - 1 + 256) % 256);
    const QByteArray byte =
        Descrittore::codifica({QString(QChar(static_cast<unsigned char>(critico))),
                               QStringLiteral("A"), QStringLiteral("x"), QString()});
    EXPECT_EQ(byte.count("\r\n"), 4);
    EXPECT_TRUE(byte.startsWith("\r\n"));
}

TEST(Descrittore, ConnectionStringRoundTrip)
{
    const QString stringa =
        Connessione::stringaConnessione(QStringLiteral("/dati/DataBase/ZEFIRANTE.db"));
    EXPECT_TRUE(stringa.startsWith(QStringLiteral("Driver=QSQLITE;Data Source=")));
    EXPECT_EQ(Connessione::fileDaStringaConnessione(stringa),
              QStringLiteral("/dati/DataBase/ZEFIRANTE.db"));
    EXPECT_EQ(Connessione::fileDaStringaConnessione(
                  QStringLiteral("provider=Microsoft.Jet.OLEDB.4.0;data source=/x/y.mdb")),
              QStringLiteral("/x/y.mdb"));
}

TEST(Avvio, WritesItsOwnDescriptorAtEveryStart)
{
    CartellaProva cartella;
    ASSERT_TRUE(cartella.avvia());
    const auto righe =
        Descrittore::leggi(cartella.file(QStringLiteral("SYSTEM/") + Descrittore::nomeProprio));
    ASSERT_TRUE(righe.ok());
    ASSERT_EQ(righe->size(), 4);
    EXPECT_EQ(Connessione::fileDaStringaConnessione(righe->at(0)),
              cartella.file(QStringLiteral("DataBase/ZEFIRANTE.db")));
    EXPECT_EQ(QDir::fromNativeSeparators(righe->at(2)), cartella.percorso());
    EXPECT_TRUE(QDir(cartella.file(QStringLiteral("SYSTEM32"))).exists());
}

namespace {

// A sibling installation: its own database with agencies, and its descriptor
// in the shared folder of `comune`.
void preparaCollegata(const CartellaProva& collegata, const CartellaProva& comune)
{
    const QString file = collegata.file(QStringLiteral("cambi.db"));
    auto db = Database::apri(file);
    ASSERT_TRUE(db.ok());
    ASSERT_TRUE(db.valore()
                    ->inserisci(QStringLiteral("COPE"),
                                {{QStringLiteral("OCOD"), QStringLiteral(" RSSMRA80A01H501U ")},
                                 {QStringLiteral("ORAG"), QStringLiteral(" ROSSI CAMBI ")},
                                 {QStringLiteral("OPIVA"), QStringLiteral("01234567890")},
                                 {QStringLiteral("OSCOM"), QStringLiteral("ROMA")},
                                 {QStringLiteral("OSPRO"), QStringLiteral("RM")},
                                 {QStringLiteral("OSTP"), QStringLiteral("F")}})
                    .ok());
    ASSERT_TRUE(db.valore()
                    ->inserisci(QStringLiteral("COPE"),
                                {{QStringLiteral("OCOD"), QStringLiteral("D'ANGELO01")},
                                 {QStringLiteral("ORAG"), QStringLiteral("D'ANGELO SNC")}})
                    .ok());
    QDir().mkpath(comune.file(QStringLiteral("SYSTEM")));
    ASSERT_TRUE(
        Descrittore::scrivi(comune.file(QStringLiteral("SYSTEM/") + Descrittore::nomeCollegato),
                            {Connessione::stringaConnessione(file), QStringLiteral("A"),
                             collegata.percorso(), QString()})
            .ok());
}

} // namespace

TEST(ImportaAgenzieCollegate, AnEmptyRegistryReceivesTheSiblingsAgencies)
{
    CartellaProva collegata, nostra;
    preparaCollegata(collegata, nostra);
    auto ambiente = nostra.avvia();
    ASSERT_TRUE(ambiente);
    auto q = ambiente->db().esegui(
        QStringLiteral("SELECT OCOD, OCF, ORAG, OSTP, OCITTAD, OSCOM, OSOCOM, ODCOM, ODPRO, OPIVA "
                       "FROM COPE ORDER BY OCOD"));
    ASSERT_TRUE(q.ok());
    ASSERT_TRUE(q.valore().next());
    EXPECT_EQ(q.valore().value(0).toString(), QStringLiteral("D'ANGELO01"));
    ASSERT_TRUE(q.valore().next());
    QStringList valori;
    for (int i = 0; i < 10; ++i)
        valori << q.valore().value(i).toString();
    EXPECT_EQ(
        valori,
        (QStringList{QStringLiteral("RSSMRA80A01H501U"), QStringLiteral("RSSMRA80A01H501U"),
                     QStringLiteral("ROSSI CAMBI"), QStringLiteral("G"),
                     QStringLiteral("01=Italiana"), QStringLiteral("ROMA"), QStringLiteral("ROMA"),
                     QStringLiteral("ROMA"), QStringLiteral("RM"), QStringLiteral("01234567890")}));
    EXPECT_FALSE(q.valore().next());
}

TEST(ImportaAgenzieCollegate, ARegistryWithAgenciesNeverReceivesMore)
{
    CartellaProva collegata, nostra;
    {
        auto ambiente = nostra.avvia();
        ASSERT_TRUE(ambiente);
        ASSERT_TRUE(ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), QStringLiteral("MIA")}})
                        .ok());
    }
    preparaCollegata(collegata, nostra);
    auto ambiente = nostra.avvia();
    ASSERT_TRUE(ambiente);
    EXPECT_EQ(ImportaAgenzieCollegate(ambiente->db(), nostra.percorso()), 0);
    auto q = ambiente->db().esegui(QStringLiteral("SELECT COUNT(*) FROM COPE"));
    ASSERT_TRUE(q.ok() && q.valore().next());
    EXPECT_EQ(q.valore().value(0).toInt(), 1);
}

TEST(ImportaAgenzieCollegate, ABrokenDescriptorOrDatabaseDoesNothing)
{
    CartellaProva nostra;
    nostra.scrivi(QStringLiteral("SYSTEM/") + Descrittore::nomeCollegato, "spazzatura\r\n");
    auto ambiente = nostra.avvia();
    ASSERT_TRUE(ambiente);
    ASSERT_TRUE(Descrittore::scrivi(
                    nostra.file(QStringLiteral("SYSTEM/") + Descrittore::nomeCollegato),
                    {Connessione::stringaConnessione(nostra.file(QStringLiteral("manca.db"))),
                     QString(), QString(), QString()})
                    .ok());
    EXPECT_EQ(ImportaAgenzieCollegate(ambiente->db(), nostra.percorso()), 0);
    EXPECT_FALSE(
        QFile::exists(nostra.file(QStringLiteral("manca.db")))); // never created by looking
}

TEST(ImportaDivise, LoadsOnceAndNeverAgain)
{
    OrologioFisso oggi(QDate(2017, 9, 6));
    CartellaProva cartella;
    cartella.scrivi(QStringLiteral("DIVISE.CSV"),
                    "USD;840;Dollaro USA\r\n\r\nCHF;756;Franco svizzero\r\n"
                    "XXX;solo due\r\nGBP;826;Sterlina \xa3\r\n");
    auto ambiente = cartella.avvia();
    ASSERT_TRUE(ambiente);
    auto q = ambiente->db().esegui(
        QStringLiteral("SELECT TIPO, COD, DES FROM CTAB WHERE TIPO IN ('DIV','REL') "
                       "ORDER BY TIPO, COD"));
    ASSERT_TRUE(q.ok());
    QStringList righe;
    while (q.valore().next())
        righe << q.valore().value(0).toString() + QLatin1Char('|') +
                     q.valore().value(1).toString() + QLatin1Char('|') +
                     q.valore().value(2).toString();
    EXPECT_EQ(righe, (QStringList{QStringLiteral("DIV|CHF|Franco svizzero"),
                                  QStringLiteral("DIV|GBP|Sterlina £"),
                                  QStringLiteral("DIV|USD|Dollaro USA"),
                                  QStringLiteral("REL|CDI|06/09/2017")}));

    cartella.scrivi(QStringLiteral("DIVISE.CSV"), "EUR;978;Euro\r\n");
    auto seconda = ImportaDivise(ambiente->db(), cartella.file(QStringLiteral("DIVISE.CSV")));
    ASSERT_TRUE(seconda.ok());
    EXPECT_EQ(seconda.valore(), 0);
}

TEST(ImportaDivise, AMissingFileIsTriedAgainAtTheNextStart)
{
    CartellaProva cartella;
    auto ambiente = cartella.avvia();
    ASSERT_TRUE(ambiente);
    ASSERT_TRUE(
        ambiente->db().esegui(QStringLiteral("DELETE FROM CTAB WHERE TIPO IN ('DIV','REL')")).ok());
    QFile::remove(cartella.file(QStringLiteral("DIVISE.CSV")));
    auto nessuna = ImportaDivise(ambiente->db(), cartella.file(QStringLiteral("DIVISE.CSV")));
    ASSERT_TRUE(nessuna.ok());
    EXPECT_EQ(nessuna.valore(), 0);
    auto marcatore = ambiente->db().haRighe(QStringLiteral("SELECT * FROM CTAB WHERE TIPO='REL'"));
    ASSERT_TRUE(marcatore.ok());
    EXPECT_FALSE(marcatore.valore());
    cartella.scrivi(QStringLiteral("DIVISE.CSV"), "EUR;978;Euro\r\n");
    auto caricate = ImportaDivise(ambiente->db(), cartella.file(QStringLiteral("DIVISE.CSV")));
    ASSERT_TRUE(caricate.ok());
    EXPECT_EQ(caricate.valore(), 1);
}
