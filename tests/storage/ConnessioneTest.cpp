#include "storage/Connessione.h"

#include "storage/Apici.h"
#include "storage/Database.h"
#include "storage/TipiCampo.h"
#include "storage/Transazione.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConnessioneTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto aperta = Database::apri(m_dir.filePath(QStringLiteral("DataBase/ZEFIRANTE.db")));
        ASSERT_TRUE(aperta.ok()) << aperta.errore().toStdString();
        m_db = std::move(aperta).valore();
    }

    int conta(const QString& sql)
    {
        auto q = m_db->esegui(sql);
        EXPECT_TRUE(q.ok());
        return q.valore().next() ? q.valore().value(0).toInt() : -1;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Connessione> m_db;
};

} // namespace

TEST_F(ConnessioneTest, NewDatabaseHoldsTheReferenceData)
{
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM T_COMUNI")), 7896);
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM T_COMUNICF")), 8151);
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM CTAB WHERE TIPO='PAESI'")), 249);
    auto roma =
        m_db->esegui(QStringLiteral("SELECT KEY_TAB FROM T_COMUNICF WHERE DESCRIZION='roma'"));
    ASSERT_TRUE(roma.ok());
    ASSERT_TRUE(roma.valore().next());
    EXPECT_EQ(roma.valore().value(0).toString(), QStringLiteral("H501"));
}

TEST_F(ConnessioneTest, TextComparesWithoutRegardToCase)
{
    ASSERT_TRUE(
        m_db->inserisci(QStringLiteral("CTAB"), {{QStringLiteral("TIPO"), QStringLiteral("DIV")},
                                                 {QStringLiteral("COD"), QStringLiteral("EUR")},
                                                 {QStringLiteral("DES"), QStringLiteral("Euro")}})
            .ok());
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) From CTAB where TIPO='div' AND COD='eur'")), 1);
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) From T_COMUNI where COMUNE LIKE 'rom%'")), 14);
}

TEST_F(ConnessioneTest, QuotedValuesRoundTrip)
{
    const QString nome = QStringLiteral("D'ANGELO & FIGLI");
    ASSERT_TRUE(
        m_db->inserisci(QStringLiteral("COPE"), {{QStringLiteral("OCOD"), QStringLiteral("X1")},
                                                 {QStringLiteral("ORAG"), nome}})
            .ok());
    auto q = m_db->esegui(QStringLiteral("SELECT OCOD From COPE WHERE ORAG=") + Sql::Apici(nome));
    ASSERT_TRUE(q.ok()) << q.errore().toStdString();
    ASSERT_TRUE(q.valore().next());
    EXPECT_EQ(q.valore().value(0).toString(), QStringLiteral("X1"));
}

TEST_F(ConnessioneTest, JetDateLiteralsSelectTheYear)
{
    for (const char* data :
         {"2015-12-31", "2016-01-01", "2016-07-15", "2016-12-31", "2017-01-01"}) {
        ASSERT_TRUE(m_db->inserisci(QStringLiteral("COPERA"),
                                    {{QStringLiteral("OCOD"), QStringLiteral("A")},
                                     {QStringLiteral("ODATA"), QString::fromLatin1(data)}})
                        .ok());
    }
    EXPECT_EQ(conta(QStringLiteral(
                  "SELECT COUNT(*) FROM COPERA WHERE  OCOD='A' AND (((ODATA)>=#2016/01/01#  "
                  "And (ODATA)<=#2016/12/31#))")),
              3);
}

TEST_F(ConnessioneTest, ErrorsCarryTheEngineDescription)
{
    auto q = m_db->esegui(QStringLiteral("SELECT * FROM NESSUNA"));
    ASSERT_FALSE(q.ok());
    EXPECT_TRUE(q.errore().contains(QStringLiteral("NESSUNA"))) << q.errore().toStdString();
    // SQLITE_BUSY after the timeout, plain or extended (SQLITE_BUSY_TIMEOUT), reaches the user
    // in Italian.
    const QString occupato = QStringLiteral(
        "Il database è occupato da un altro programma ZEFIRANTE: riprovare tra poco.");
    EXPECT_EQ(Connessione::descrizione(QSqlError(QStringLiteral("Unable to fetch row"),
                                                 QStringLiteral("database is locked"),
                                                 QSqlError::StatementError, QStringLiteral("5"))),
              occupato);
    EXPECT_EQ(Connessione::descrizione(QSqlError(QString(), QStringLiteral("locked"),
                                                 QSqlError::StatementError, QStringLiteral("773"))),
              occupato);
}

TEST_F(ConnessioneTest, TransactionRollsBackUnlessConfirmed)
{
    {
        Transazione t(*m_db);
        ASSERT_TRUE(m_db->inserisci(QStringLiteral("COPE"),
                                    {{QStringLiteral("OCOD"), QStringLiteral("T1")}})
                        .ok());
    }
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM COPE")), 0);
    {
        Transazione t(*m_db);
        ASSERT_TRUE(m_db->inserisci(QStringLiteral("COPE"),
                                    {{QStringLiteral("OCOD"), QStringLiteral("T2")}})
                        .ok());
        ASSERT_TRUE(t.conferma().ok());
    }
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM COPE")), 1);
}

TEST_F(ConnessioneTest, ColumnTypesComeFromTheDeclarations)
{
    auto colonne = colonneTabella(*m_db, QStringLiteral("COPERA"));
    ASSERT_TRUE(colonne.ok());
    QMap<QString, TipoCampo> tipi;
    for (const Colonna& c : colonne.valore())
        tipi[c.nome] = c.tipo;
    EXPECT_EQ(tipi[QStringLiteral("OCOD")], TipoCampo::Testo);
    EXPECT_EQ(tipi[QStringLiteral("ODATA")], TipoCampo::Data);
    EXPECT_EQ(tipi[QStringLiteral("OIMPORTO")], TipoCampo::Numero);
    EXPECT_EQ(tipoDaDichiarato(QStringLiteral("TIMESTAMP")), TipoCampo::DataOra);
    auto cope = colonneTabella(*m_db, QStringLiteral("COPE"));
    ASSERT_TRUE(cope.ok());
    QStringList ordine;
    for (const Colonna& c : cope.valore())
        ordine << c.nome;
    EXPECT_EQ(ordine.join(QLatin1Char(',')),
              QStringLiteral(
                  "OCOD,ORAG,OPIVA,OCF,OSTP,OCOG,ONOME,OSEX,ONDT,ONCOM,ONPRO,OSCOM,OSPRO,OSOCOM,"
                  "OSOPRO,ODCOM,ODPRO,OCITTAD"));
}

TEST(ConnessioneFile, AFileThatIsNotADatabaseIsRefusedWithItsDescription)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("rotto.db"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    auto aperta = Database::apri(file);
    ASSERT_FALSE(aperta.ok());
    EXPECT_FALSE(aperta.errore().isEmpty());
    EXPECT_FALSE(Database::apriEsistente(dir.filePath(QStringLiteral("manca.db"))).ok());
}
