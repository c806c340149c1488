#include "common/DescrizioneTabella.h"

#include "shell/Ambiente.h"
#include "support/CartellaProva.h"

#include <QSqlQuery>

#include <gtest/gtest.h>

namespace {

class DescrizioneTabellaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        aggiungi(QStringLiteral("PROVA"), QStringLiteral("EUR"), QStringLiteral("  Euro  "));
        aggiungi(QStringLiteral("PROVA"), QStringLiteral("VUO"), QStringLiteral(""));
        aggiungi(QStringLiteral("PROVA"), QStringLiteral("NUL"), QVariant());
        aggiungi(QStringLiteral("PROVA"), QStringLiteral("D'X"), QStringLiteral("Con apice"));
        aggiungi(QStringLiteral("PROVA"), QStringLiteral("Ab"), QStringLiteral("Misto"));
        aggiungi(QStringLiteral("ALTRO"), QStringLiteral("USD"), QStringLiteral("Dollaro"));
    }

    void aggiungi(const QString& tipo, const QString& codice, const QVariant& descrizione)
    {
        ASSERT_TRUE(db().inserisci(QStringLiteral("CTAB"), {{QStringLiteral("TIPO"), tipo},
                                                            {QStringLiteral("COD"), codice},
                                                            {QStringLiteral("DES"), descrizione}}).ok());
    }

    const Connessione& db() const { return m_ambiente->db(); }

    QString cerca(const QString& tipo, const QString& codice)
    {
        auto esito = DescrizioneTabella(db(), tipo, codice);
        EXPECT_TRUE(esito.ok()) << esito.errore().toStdString();
        return esito.ok() ? esito.valore() : QStringLiteral("<errore>");
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
};

// Codes probed in both lookups: present, differently cased, absent, of another
// kind, empty, and with quotes.
const char* const Sonde[] = {"EUR", "eur", "Eur", "VUO", "NUL", "D'X", "d'x", "AB", "ab",
                             "USD", "XXX", "", "'", "EUR ", "' OR '1'='1"};

} // namespace

TEST_F(DescrizioneTabellaTest, FindsTheTrimmedDescriptionWhateverTheCase)
{
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("EUR")), QStringLiteral("Euro"));
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("eur")), QStringLiteral("Euro"));
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("aB")), QStringLiteral("Misto"));
}

TEST_F(DescrizioneTabellaTest, EmptyOrNullDescriptionAndOtherKindsAreNotFound)
{
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("VUO")), QString());
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("NUL")), QString());
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("USD")), QString());
    EXPECT_EQ(cerca(QStringLiteral("ALTRO"), QStringLiteral("EUR")), QString());
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QString()), QString());
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("XXX")), QString());
}

TEST_F(DescrizioneTabellaTest, CodesWithQuotesAreValuesNotStatementText)
{
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("D'X")), QStringLiteral("Con apice"));
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("'")), QString());
    EXPECT_EQ(cerca(QStringLiteral("PROVA"), QStringLiteral("' OR '1'='1")), QString());
}

TEST_F(DescrizioneTabellaTest, DeliveredCountriesAreFound)
{
    EXPECT_FALSE(cerca(QStringLiteral("PAESI"), QStringLiteral("ITA")).isEmpty());
    EXPECT_FALSE(cerca(QStringLiteral("PAESI"), QStringLiteral("fra")).isEmpty());
    EXPECT_EQ(cerca(QStringLiteral("PAESI"), QStringLiteral("EUR")), QString());
}

TEST_F(DescrizioneTabellaTest, DatabaseFailureComesBackAsError)
{
    ASSERT_TRUE(db().esegui(QStringLiteral("DROP TABLE CTAB")).ok());
    auto esito = DescrizioneTabella(db(), QStringLiteral("PAESI"), QStringLiteral("ITA"));
    ASSERT_FALSE(esito.ok());
    EXPECT_FALSE(esito.errore().isEmpty());
    EXPECT_FALSE(TabellaCodici::carica(db(), QStringLiteral("PAESI")).ok());
}

TEST_F(DescrizioneTabellaTest, LoadedTableAgreesWithSingleLookups)
{
    for (const QString& tipo : {QStringLiteral("PROVA"), QStringLiteral("ALTRO"), QStringLiteral("prova"),
                               QStringLiteral("NESSUNO")}) {
        auto tabella = TabellaCodici::carica(db(), tipo);
        ASSERT_TRUE(tabella.ok()) << tabella.errore().toStdString();
        for (const char* sonda : Sonde) {
            const QString codice = QString::fromUtf8(sonda);
            EXPECT_EQ(tabella->descrizione(codice), cerca(tipo, codice))
                << tipo.toStdString() << " " << sonda;
            EXPECT_EQ(tabella->contiene(codice), !cerca(tipo, codice).isEmpty());
        }
    }
}

TEST_F(DescrizioneTabellaTest, LoadedCountriesAgreeWithSingleLookups)
{
    auto paesi = TabellaCodici::carica(db(), QStringLiteral("PAESI"));
    ASSERT_TRUE(paesi.ok());
    auto query = db().esegui(QStringLiteral("SELECT COD FROM CTAB WHERE TIPO='PAESI'"));
    ASSERT_TRUE(query.ok());
    int contati = 0;
    while (query.valore().next()) {
        const QString codice = query.valore().value(0).toString();
        for (const QString& variante : {codice, codice.toLower()}) {
            const QString atteso = cerca(QStringLiteral("PAESI"), variante);
            EXPECT_FALSE(atteso.isEmpty()) << variante.toStdString();
            EXPECT_EQ(paesi->descrizione(variante), atteso) << variante.toStdString();
        }
        ++contati;
    }
    EXPECT_GT(contati, 200);
}
