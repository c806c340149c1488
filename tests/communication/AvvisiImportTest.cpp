#include "communication/AvvisiImport.h"

#include "FoglioInMemoria.h"
#include "base/Cp1252.h"
#include "communication/IdentificativiVisti.h"
#include "communication/LeggiFoglio.h"
#include "communication/LetturaRapporto.h"
#include "shell/Cartelle.h"
#include "support/CartellaProva.h"
#include "support/RigaValida.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

using Righe = QList<QStringList>;

class AvvisiImportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        richiesta.agenzia.anno = QStringLiteral("2017");
        richiesta.agenzia.mese = QStringLiteral("09");
        richiesta.agenzia.codiceFiscale = QStringLiteral("01234567890");
        richiesta.foglio = cartella.file(QStringLiteral("mese.csv"));
        richiesta.primaRigaCsv = 1;
        richiesta.fileComunicazione = cartella.file(QStringLiteral("COAM.TXT"));
        richiesta.fileErrori = Cartelle::fileErroriImport(cartella.percorso());
        richiesta.fileAvvisi = Cartelle::fileAvvisiImport(cartella.percorso());
    }

    // The rows as a CSV file (the ASCII road, and the road of texts for a
    // row that fails a check) or as a workbook in memory.
    RisultatoComunicazione esegui(const Righe& righe, bool csv)
    {
        QByteArray testo;
        FoglioInMemoria foglio(1);
        for (const QStringList& riga : righe) {
            testo += RigaValida::lineaCsv(riga);
            foglio.riga(riga);
        }
        cartella.scrivi(QStringLiteral("mese.csv"), testo);
        auto esito =
            csv ? LeggiFoglio(ambiente->db(), richiesta)
                : ScriviComunicazione(ambiente->db(), richiesta, foglio, RegoleControllo::excel);
        EXPECT_TRUE(esito.ok()) << esito.errore().toStdString();
        return esito.ok() ? *esito : RisultatoComunicazione{};
    }

    QStringList avvisi() const
    {
        const QByteArray file = cartella.leggi(QStringLiteral("AVVISI_IMPORT.TXT"));
        return Cp1252::decodifica(file).split(QStringLiteral("\r\n"));
    }

    CartellaProva cartella;
    std::unique_ptr<Ambiente> ambiente;
    RichiestaComunicazione richiesta;
};

} // namespace

TEST_F(AvvisiImportTest, EachAdviceNamesItsFieldValueAndReason)
{
    struct Caso
    {
        int colonna;
        const char* valore;
        const char* avviso;
    };
    const Caso casi[] = {
        {14, "15/10/2017",
         "B17 (DATA OPERAZIONE) Valore: 15102017 - data fuori dal mese della comunicazione "
         "09/2017"},
        {11, "14/09/2017",
         "B14 (DATA DI SCADENZA DOCUMENTO) Valore: 14092017 - documento scaduto prima "
         "dell'operazione"},
        {21, " T0 ",
         "B24 (IDENTIFICATIVO TRANSAZIONE) Valore: T0 - identificativo già usato alla riga 1"},
        {4, "02/01/1980",
         "B6 (CODICE FISCALE) Valore: RSSMRA80A01H501U - data di nascita diversa da B7"},
        {2, "f", "B6 (CODICE FISCALE) Valore: RSSMRA80A01H501U - sesso diverso da B5"},
        {18, "1.500,75",
         "B21 (IMPORTO) Valore: 1.500,75 - importo con caratteri diversi dalle cifre prima della "
         "virgola"},
        {0, "ROSSI2", "B3 (COGNOME) Valore: ROSSI2 - contiene cifre"},
        {1, "MARIO 3", "B4 (NOME) Valore: MARIO 3 - contiene cifre"},
    };
    for (const Caso& caso : casi) {
        const QStringList riga = RigaValida::con(caso.colonna, QString::fromUtf8(caso.valore));
        const QString atteso = QStringLiteral(" Riga: 2 - Avviso nel campo ") +
                               QString::fromUtf8(caso.avviso) + QStringLiteral(" - Soggetto: ") +
                               riga[0] + QLatin1Char(' ') + riga[1];
        for (const bool csv : {true, false}) {
            SCOPED_TRACE(std::string(caso.avviso) + (csv ? " (CSV)" : " (Excel)"));
            const auto esito = esegui({RigaValida::con(21, QStringLiteral("T0")), riga}, csv);
            EXPECT_FALSE(esito.erroriPresenti);
            EXPECT_EQ(esito.avvisi, 1);
            const QStringList righe = avvisi();
            ASSERT_EQ(righe.size(), 8);
            EXPECT_EQ(righe[5], atteso);
        }
    }
}

TEST_F(AvvisiImportTest, ACleanSheetWithAHomonymCodeGivesNoAdviceAndNoFile)
{
    QStringList omonimo = RigaValida::con(3, QStringLiteral("rssmraulalmh50mx"));
    omonimo[21] = QStringLiteral("T2");
    omonimo[20] = QString(); // an empty amount
    omonimo[14] = QStringLiteral("30/09/2017");
    for (const bool csv : {true, false}) {
        const auto esito = esegui({RigaValida::valori(), omonimo}, csv);
        EXPECT_EQ(esito.avvisi, 0);
        EXPECT_FALSE(QFile::exists(richiesta.fileAvvisi));
    }
}

TEST_F(AvvisiImportTest, AdviceChangesNeitherTheCommunicationNorTheErrorReport)
{
    QStringList divisaEFuoriMese = RigaValida::con(17, QStringLiteral("ZZZ"));
    divisaEFuoriMese[14] = QStringLiteral("01/08/2017");
    divisaEFuoriMese[21] = QStringLiteral("T2");
    // A birth date that fails its check: the code is not compared with it.
    QStringList nascitaErrata = RigaValida::con(4, QStringLiteral("31/02/1980"));
    const Righe righe{RigaValida::valori(), divisaEFuoriMese, nascitaErrata,
                      RigaValida::con(19, QStringLiteral("-5"))};
    for (const bool csv : {true, false}) {
        QFile::remove(Cartelle::fileAvvisiImport(cartella.percorso()));
        richiesta.fileAvvisi.clear();
        const auto senza = esegui(righe, csv);
        const QByteArray comunicazione = cartella.leggi(QStringLiteral("COAM.TXT"));
        const QByteArray errori = cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT"));
        EXPECT_FALSE(QFile::exists(Cartelle::fileAvvisiImport(cartella.percorso())));

        richiesta.fileAvvisi = Cartelle::fileAvvisiImport(cartella.percorso());
        const auto con = esegui(righe, csv);
        EXPECT_EQ(cartella.leggi(QStringLiteral("COAM.TXT")), comunicazione);
        EXPECT_EQ(cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT")), errori);
        EXPECT_TRUE(senza.erroriPresenti && con.erroriPresenti);
        EXPECT_EQ(senza.avvisi, 4);
        EXPECT_EQ(con.avvisi, 4);

        const QStringList scritte = avvisi();
        ASSERT_EQ(scritte.size(), 11);
        EXPECT_EQ(scritte[1], QStringLiteral("CONTROLLO AVVISI - COMUNICAZIONE MENSILE OAM"));
        EXPECT_EQ(scritte[9], QString(100, QLatin1Char('-')));
        const auto letti = LeggiAvvisi(richiesta.fileAvvisi);
        ASSERT_TRUE(letti.ok());
        ASSERT_EQ(letti->voci.size(), 4);
        EXPECT_EQ(letti->voci[0].campo, QStringLiteral("B17 (DATA OPERAZIONE)"));
        EXPECT_EQ(letti->voci[0].valore, QStringLiteral("01082017"));
        EXPECT_EQ(letti->voci[1].motivo, QStringLiteral("identificativo già usato alla riga 1"));
        EXPECT_EQ(letti->voci[2].riga, 4);
        EXPECT_EQ(letti->voci[2].campo, QStringLiteral("B22 (IMPORTO)"));
    }

    // An advice file that cannot be written is said; the run stands as it is.
    const QByteArray comunicazione = cartella.leggi(QStringLiteral("COAM.TXT"));
    richiesta.fileAvvisi = cartella.file(QStringLiteral("manca/AVVISI_IMPORT.TXT"));
    const auto senzaFile = esegui(righe, false);
    EXPECT_EQ(cartella.leggi(QStringLiteral("COAM.TXT")), comunicazione);
    EXPECT_TRUE(senzaFile.erroriPresenti);
    EXPECT_EQ(senzaFile.avvisi, 4);
    EXPECT_TRUE(senzaFile.erroreAvvisi.startsWith(QStringLiteral("Impossibile scrivere")))
        << senzaFile.erroreAvvisi.toStdString();
}

TEST(IdentificativiVisti, RepeatsAreFoundWhetherTheIdentifiersCountUpOrNot)
{
    IdentificativiVisti visti;
    int riga = 0;
    for (const char* identificativo : {"9", "10", "T9", "T10"})
        EXPECT_EQ(visti.registra(identificativo, ++riga), 0) << identificativo;
    EXPECT_EQ(visti.registra("10", ++riga), 2); // out of order from here on
    EXPECT_EQ(visti.registra("A", ++riga), 0);
    // Enough to make the table grow, in no order.
    for (int i = 0; i < 5000; ++i)
        EXPECT_EQ(visti.registra(QByteArray::number(i * 7919 % 5003 + 20000), ++riga), 0);
    EXPECT_EQ(visti.registra("9", ++riga), 1);
    EXPECT_EQ(visti.registra("A", ++riga), 6);
    EXPECT_EQ(visti.registra(QByteArray::number(7919 % 5003 + 20000), ++riga), 8);
}
