#include "esempi/FogliEsempio.h"

#include "common/ControllaCF.h"
#include "communication/LeggiFoglio.h"
#include "fogli/ArchivioZip.h"
#include "shell/Cartelle.h"
#include "support/CartellaProva.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QList<QByteArray> righe(const QByteArray& file)
{
    QList<QByteArray> elenco = file.split('\n');
    if (!elenco.isEmpty() && elenco.last().isEmpty())
        elenco.removeLast();
    for (QByteArray& r : elenco)
        r.chop(r.endsWith('\r') ? 1 : 0);
    return elenco;
}

// The report lines of the mistakes sheet, the ones the guide explains.
const QList<QByteArray> kErroriAttesi = {
    " Riga: 4 - Errore nel campo B4 (NOME)  Valore errato:  - Soggetto: SMITH ",
    " Riga: 6 - Errore nel campo B6 (CODICE FISCALE) Valore errato: BNCGLI85L42F205X - Soggetto: "
    "BIANCHI GIULIA",
    " Riga: 9 - Errore nel campo B7 (DATA DI NASCITA)  Valore errato: 31041995 - Soggetto: COLOMBO "
    "FRANCESCA",
    " Riga: 12 - Errore nel campo B11 (SIGLA PAESE DI RESIDENZA) CODICE ERRATO Valore errato: UK - "
    "Soggetto: "
    "MARINO ELENA",
    " Riga: 15 - Errore nel campo B13 (NUMERO DOCUMENTO) Valore errato:  - Soggetto: BRUNO CHIARA",
    " Riga: 18 - Errore nel campo B20 (DIVISA ESTERA) CODICE ERRATO Valore errato: USS - Soggetto: "
    "SMITH JOHN",
};

const char* const kParti[] = {"[Content_Types].xml", "_rels/.rels",
                              "xl/workbook.xml",     "xl/_rels/workbook.xml.rels",
                              "xl/styles.xml",       "xl/worksheets/sheet1.xml"};

// One part of a package, unpacked; a missing part reads as a null array.
QByteArray parteDi(const QString& pacchetto, const char* nome)
{
    ArchivioZip zip;
    if (!zip.apri(std::make_unique<QFile>(pacchetto), pacchetto) ||
        !zip.apriParte(QString::fromLatin1(nome)))
        return {};
    QByteArray contenuto;
    char blocco[4096];
    for (;;) {
        auto letti = zip.leggiBlocco(blocco, sizeof blocco);
        if (!letti || *letti == 0)
            break;
        contenuto.append(blocco, *letti);
    }
    zip.chiudiParte();
    return contenuto.isNull() ? QByteArray("") : contenuto;
}

class FogliEsempioTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        richiesta.agenzia.anno = QStringLiteral("2026");
        richiesta.agenzia.mese = QStringLiteral("11");
        richiesta.agenzia.codiceFiscale = QStringLiteral("01234567890");
        richiesta.agenzia.ragioneSociale = QStringLiteral("CAMBI CENTRO");
        richiesta.fileComunicazione = cartella.file(QStringLiteral("COAM.TXT"));
        richiesta.fileErrori = Cartelle::fileErroriImport(cartella.percorso());
    }

    // Imports a workbook of the application folder's Help, as a new user
    // following the guide would.
    Esito<RisultatoComunicazione> importa(const char* nome)
    {
        richiesta.foglio = cartella.file(QStringLiteral("Help/") + QString::fromLatin1(nome));
        return LeggiFoglio(ambiente->db(), richiesta);
    }

    CartellaProva cartella;
    std::unique_ptr<Ambiente> ambiente;
    RichiestaComunicazione richiesta;
};

} // namespace

TEST_F(FogliEsempioTest, ShippedWorkbooksAreTheOnesTheGeneratorWrites)
{
    // Laid into every new application folder from the program's resources;
    // a change to the generator without regenerating them shows here. The
    // parts are compared unpacked, so another zlib's compression does not
    // count as a difference.
    const std::pair<const char*, FogliEsempio::Righe> fogli[] = {
        {FogliEsempio::kBase, FogliEsempio::FoglioBase()},
        {FogliEsempio::kEsempio, FogliEsempio::EsempioMese()},
        {FogliEsempio::kErrori, FogliEsempio::EsempioErrori()},
    };
    for (const auto& [nome, righe] : fogli) {
        const QString generato = cartella.file(QStringLiteral("generato.xlsx"));
        ASSERT_TRUE(FogliEsempio::Scrivi(generato, righe)) << nome;
        for (const char* parte : kParti)
            EXPECT_EQ(
                parteDi(cartella.file(QStringLiteral("Help/") + QString::fromLatin1(nome)), parte),
                parteDi(generato, parte))
                << nome << ", " << parte << ": run the fogli-esempio target";
    }
}

TEST_F(FogliEsempioTest, BaseSheetGivesAnEmptyMonth)
{
    auto esito = importa(FogliEsempio::kBase);
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(esito->recordB, 0);
    EXPECT_FALSE(esito->erroriPresenti);
}

TEST_F(FogliEsempioTest, ExampleMonthPassesEveryCheck)
{
    auto esito = importa(FogliEsempio::kEsempio);
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(esito->recordB, 24);
    EXPECT_FALSE(esito->erroriPresenti);
    EXPECT_FALSE(QFile::exists(cartella.file(QStringLiteral("ERRORE_IMPORT.TXT"))));

    const auto record = righe(cartella.leggi(QStringLiteral("COAM.TXT")));
    ASSERT_EQ(record.size(), 26);
    for (const QByteArray& r : record)
        EXPECT_EQ(r.size(), 448);
    // Date cells arrive as dd/mm/yyyy and go out as eight digits; amounts as
    // whole numbers padded with zeros.
    const QByteArray primo = record[1];
    EXPECT_EQ(primo.mid(11, 6), "ROSSI ");
    EXPECT_EQ(primo.mid(72, 16), "RSSMRA68C14H501M");
    EXPECT_EQ(primo.mid(88, 8), "14031968");
    EXPECT_EQ(primo.mid(339, 4), "VUSD");
    EXPECT_EQ(primo.mid(343, 14), "00000000001000");
}

TEST_F(FogliEsempioTest, MistakesSheetGivesTheReportTheGuideShows)
{
    auto esito = importa(FogliEsempio::kErrori);
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(esito->recordB, 24); // rows with mistakes are written all the same
    ASSERT_TRUE(esito->erroriPresenti);
    const auto report = righe(cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT")));
    ASSERT_EQ(report.size(), 5 + kErroriAttesi.size() + 1);
    EXPECT_EQ(report.mid(5, kErroriAttesi.size()), kErroriAttesi);

    // The guide explains these very lines, one by one.
    QFile guida(QStringLiteral(ZEFIRANTE_GUIDA));
    ASSERT_TRUE(guida.open(QIODevice::ReadOnly));
    const QList<QByteArray> righeGuida = guida.readAll().split('\n');
    for (const QByteArray& riga : kErroriAttesi)
        EXPECT_TRUE(std::any_of(righeGuida.begin(), righeGuida.end(), [&riga](const QByteArray& r) {
            return r.endsWith(riga) || r.endsWith(riga + "</pre>");
        })) << riga.toStdString();
}

TEST(CodiceFiscaleTest, ComputedCodesHaveTheirPartsAndPassTheCheck)
{
    struct Caso
    {
        const char* cognome;
        const char* nome;
        char sesso;
        QDate nascita;
        const char* belfiore;
        const char* atteso;
    };
    // Short surnames are filled with vowels and X; first names with four
    // consonants or more skip the second; women's days are raised by 40.
    const Caso casi[] = {
        {"ROSSI", "MARIO", 'M', QDate(1980, 1, 1), "H501", "RSSMRA80A01H501U"},
        {"FO", "GIANFRANCO", 'M', QDate(2005, 12, 31), "F205", "FOXGFR05T31F205"},
        {"DE LUCA", "ANNA", 'F', QDate(1999, 5, 3), "L781", "DLCNNA99E43L781"},
        {"SMITH", "EMILY", 'F', QDate(1986, 9, 19), "Z114", "SMTMLY86P59Z114"},
    };
    for (const Caso& c : casi) {
        const QString cf = FogliEsempio::CodiceFiscale(
            QString::fromLatin1(c.cognome), QString::fromLatin1(c.nome), QLatin1Char(c.sesso),
            c.nascita, QString::fromLatin1(c.belfiore));
        ASSERT_EQ(cf.size(), 16) << c.cognome;
        EXPECT_TRUE(cf.startsWith(QString::fromLatin1(c.atteso))) << cf.toStdString();
        EXPECT_EQ(ControllaCF(cf), 0) << cf.toStdString();
    }
}
