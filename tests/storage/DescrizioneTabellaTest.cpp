#include "storage/DescrizioneTabella.h"

#include "shell/Ambiente.h"
#include "support/CartellaProva.h"

#include <gtest/gtest.h>

namespace {

class DescrizioneTabellaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        const struct
        {
            const char* tipo;
            QVariant codice;
            QVariant descrizione;
        } righe[] = {
            {"PROVA", QStringLiteral("EUR"), QStringLiteral("  Euro  ")},
            {"PROVA", QStringLiteral("VUO"), QStringLiteral("")},
            {"PROVA", QStringLiteral("NUL"), QVariant()},
            {"PROVA", QStringLiteral("D'X"), QStringLiteral("Con apice")},
            {"PROVA", QStringLiteral("Ab"), QStringLiteral("Misto")},
            {"PROVA", QVariant(), QStringLiteral("Senza codice")},
            {"ALTRO", QStringLiteral("USD"), QStringLiteral("Dollaro")},
        };
        for (const auto& riga : righe) {
            ASSERT_TRUE(db().inserisci(QStringLiteral("CTAB"),
                                       {{QStringLiteral("TIPO"), QLatin1String(riga.tipo)},
                                        {QStringLiteral("COD"), riga.codice},
                                        {QStringLiteral("DES"), riga.descrizione}})
                            .ok());
        }
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

} // namespace

TEST_F(DescrizioneTabellaTest, LooksUpOneCodeOfOneKind)
{
    const struct
    {
        const char* tipo;
        const char* codice;
        const char* descrizione; // empty: not found
    } casi[] = {
        {"PROVA", "EUR", "Euro"}, // trimmed
        {"PROVA", "eur", "Euro"}, // case does not matter, for the kind either
        {"prova", "aB", "Misto"},    {"PROVA", "VUO", ""}, // empty description
        {"PROVA", "NUL", ""},                              // Null description
        {"PROVA", "USD", ""},                              // held under another kind
        {"ALTRO", "EUR", ""},        {"PROVA", "", ""},
        {"PROVA", "EUR ", ""},       {"PROVA", "D'X", "Con apice"}, // quotes are part of the value
        {"PROVA", "'", ""},          {"PROVA", "' OR '1'='1", ""},
        {"PAESI", "ITA", "Italia"}, // the countries delivered with the database
        {"PAESI", "fra", "Francia"},
    };
    for (const auto& caso : casi) {
        EXPECT_EQ(cerca(QLatin1String(caso.tipo), QString::fromLatin1(caso.codice)),
                  QString::fromLatin1(caso.descrizione))
            << caso.tipo << " " << caso.codice;
    }
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
    QStringList sonde = {QStringLiteral("EUR"), QStringLiteral("eur"),
                         QStringLiteral("VUO"), QStringLiteral("NUL"),
                         QStringLiteral("D'X"), QStringLiteral("d'x"),
                         QStringLiteral("AB"),  QStringLiteral("USD"),
                         QStringLiteral("XXX"), QString(),
                         QStringLiteral("'"),   QStringLiteral("EUR ")};
    // Every delivered country, as stored and in lower case.
    auto paesi = db().esegui(QStringLiteral("SELECT COD FROM CTAB WHERE TIPO='PAESI'"));
    ASSERT_TRUE(paesi.ok());
    while (paesi.valore().next())
        sonde << paesi.valore().value(0).toString() << paesi.valore().value(0).toString().toLower();
    ASSERT_GT(sonde.size(), 400);

    for (const char* tipo : {"PROVA", "ALTRO", "prova", "PAESI", "NESSUNO"}) {
        auto tabella = TabellaCodici::carica(db(), QLatin1String(tipo));
        ASSERT_TRUE(tabella.ok()) << tabella.errore().toStdString();
        for (const QString& codice : sonde) {
            const QString atteso = cerca(QLatin1String(tipo), codice);
            EXPECT_EQ(tabella->descrizione(codice), atteso) << tipo << " " << codice.toStdString();
            EXPECT_EQ(tabella->contiene(codice), !atteso.isEmpty());
            // The same code as the bytes of a CSV line.
            const QByteArray byte = codice.toLatin1();
            EXPECT_EQ(tabella->contiene(QLatin1StringView(byte)), !atteso.isEmpty());
        }
    }
}
