#include "registry/ElencoComuni.h"

#include "storage/Apici.h"
#include "support/CartellaProva.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

namespace {

class ElencoComuniTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        m_elenco = std::make_unique<ElencoComuni>(m_ambiente->db());
    }

    // What the database itself answers for "COMUNE LIKE 'prefix%'", first row
    // in the order of the name.
    QString primoDalDatabase(const QString& prefisso)
    {
        auto q = m_ambiente->db().esegui(
            QStringLiteral("SELECT COMUNE FROM T_COMUNI WHERE COMUNE LIKE ") +
            Sql::Apici(prefisso + QLatin1Char('%')) + QStringLiteral(" ORDER BY COMUNE LIMIT 1"));
        EXPECT_TRUE(q.ok());
        return q.ok() && q.valore().next() ? q.valore().value(0).toString() : QString();
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    std::unique_ptr<ElencoComuni> m_elenco;
};

} // namespace

TEST_F(ElencoComuniTest, PrefixSearchAgreesWithTheDatabaseOnEveryPrefixOfASample)
{
    ASSERT_TRUE(m_elenco->ApriComuni().ok());
    const QList<Comune>& comuni = m_elenco->comuni();
    ASSERT_GT(comuni.size(), 7000);
    int confronti = 0;
    for (qsizetype i = 0; i < comuni.size(); i += 61) {
        const QString& nome = comuni[i].comune;
        for (qsizetype n = 1; n <= nome.size(); ++n) {
            // The user types in lower case as often as not.
            const QString prefisso = n % 2 ? nome.left(n) : nome.left(n).toLower();
            const Comune* trovato = m_elenco->cercaInizio(prefisso);
            ASSERT_NE(trovato, nullptr) << prefisso.toStdString();
            EXPECT_EQ(trovato->comune, primoDalDatabase(prefisso)) << prefisso.toStdString();
            ++confronti;
        }
    }
    EXPECT_GT(confronti, 1000);
}

TEST_F(ElencoComuniTest, NamesWithApostrophesAndWildcardCharacters)
{
    ASSERT_TRUE(m_elenco->ApriComuni().ok());
    const Comune* santAgata = m_elenco->cercaInizio(QStringLiteral("sant'ag"));
    ASSERT_NE(santAgata, nullptr);
    EXPECT_EQ(santAgata->comune, primoDalDatabase(QStringLiteral("sant'ag")));
    EXPECT_TRUE(santAgata->comune.startsWith(QStringLiteral("SANT'AG")));
    // "%" and "_" are taken literally: no name holds them.
    EXPECT_EQ(m_elenco->cercaInizio(QStringLiteral("%")), nullptr);
    EXPECT_EQ(m_elenco->cercaInizio(QStringLiteral("R_MA")), nullptr);
    EXPECT_EQ(m_elenco->cercaInizio(QStringLiteral("ROMAX")), nullptr);
}

TEST_F(ElencoComuniTest, ExactSearchWantsTheWholeName)
{
    ASSERT_TRUE(m_elenco->ApriComuni().ok());
    const Comune* roma = m_elenco->cercaEsatto(QStringLiteral("roma"));
    ASSERT_NE(roma, nullptr);
    EXPECT_EQ(roma->comune, QStringLiteral("ROMA"));
    EXPECT_EQ(roma->pro, QStringLiteral("RM"));
    EXPECT_EQ(m_elenco->cercaEsatto(QStringLiteral("ROM")), nullptr);
    EXPECT_EQ(m_elenco->cercaEsatto(QStringLiteral("ROMA ")), nullptr);

    // A name held by two municipalities gives the first in table order.
    auto q =
        m_ambiente->db().esegui(QStringLiteral("SELECT COMUNE, PRO FROM T_COMUNI WHERE COMUNE IN "
                                               "(SELECT COMUNE FROM T_COMUNI GROUP BY COMUNE "
                                               "HAVING COUNT(*) > 1) ORDER BY COMUNE LIMIT 1"));
    ASSERT_TRUE(q.ok());
    ASSERT_TRUE(q.valore().next());
    const Comune* doppio = m_elenco->cercaEsatto(q.valore().value(0).toString());
    ASSERT_NE(doppio, nullptr);
    EXPECT_EQ(doppio->pro, q.valore().value(1).toString());
}

TEST_F(ElencoComuniTest, CompletionUsesTheTextBeforeTheCaretAndOpensTheTableOnce)
{
    EXPECT_FALSE(m_elenco->ComuniAperti());
    auto completo = CompletaTesto(*m_elenco, QStringLiteral("  milXYZ"), 5); // caret after "  mil"
    ASSERT_TRUE(completo.ok());
    EXPECT_TRUE(m_elenco->ComuniAperti());
    ASSERT_TRUE(completo->has_value());
    EXPECT_EQ((*completo)->comune, primoDalDatabase(QStringLiteral("mil")));
    EXPECT_EQ((*completo)->cursore, 3); // the leading blanks are gone

    // Nothing to complete: blanks only, caret at the start, no such name.
    for (const auto& [testo, cursore] :
         {std::pair{QStringLiteral("   "), 3}, std::pair{QStringLiteral("ROMA"), 0},
          std::pair{QStringLiteral("  ROMA"), 2}, std::pair{QStringLiteral("QQQ"), 3}}) {
        auto nulla = CompletaTesto(*m_elenco, testo, cursore);
        ASSERT_TRUE(nulla.ok());
        EXPECT_FALSE(nulla->has_value()) << testo.toStdString();
    }
}

TEST_F(ElencoComuniTest, UnreadableTableStaysClosedWithItsError)
{
    ASSERT_TRUE(
        m_ambiente->db().esegui(QStringLiteral("ALTER TABLE T_COMUNI RENAME TO T_ALTRI")).ok());
    const auto completo = CompletaTesto(*m_elenco, QStringLiteral("ROM"), 3);
    EXPECT_FALSE(completo.ok());
    EXPECT_FALSE(m_elenco->ComuniAperti());
}
