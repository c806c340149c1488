#include "history/Scadenze.h"
#include "history/StoricoInvii.h"

#include "cli/Cli.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"
#include "support/RigaValida.h"

#include <QDir>
#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// Four agencies, listed by company name: A, B, C and D.
class StoricoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        for (const char* lettera : {"A", "B", "C", "D"}) {
            const QString codice = QString::fromLatin1(lettera).repeated(11);
            ASSERT_TRUE(m_ambiente->db()
                            .inserisci(QStringLiteral("COPE"),
                                       {{QStringLiteral("OCOD"), codice},
                                        {QStringLiteral("OCF"), codice},
                                        {QStringLiteral("ORAG"),
                                         QStringLiteral("CAMBI ") + QLatin1String(lettera)},
                                        {QStringLiteral("OSTP"), QStringLiteral("G")},
                                        {QStringLiteral("OSCOM"), QStringLiteral("TORINO")}})
                            .ok());
        }
        m_cartella.scrivi(QStringLiteral("buono.csv"),
                          RigaValida::lineaCsv(RigaValida::valori()) +
                              RigaValida::lineaCsv(RigaValida::valori()));
        m_cartella.scrivi(QStringLiteral("errato.csv"),
                          RigaValida::lineaCsv(RigaValida::con(0, QString())));
    }

    int esegui(QStringList argomenti)
    {
        m_out.clear();
        m_err.clear();
        QTextStream so(&m_out), se(&m_err);
        argomenti.prepend(m_cartella.percorso());
        argomenti.prepend(QStringLiteral("--cartella"));
        return eseguiCli(argomenti, so, se, m_cartella.file(QStringLiteral("bin")));
    }

    // "comunicazione" of November 2026 for agency `lettera` from `foglio`.
    int comunicazione(const char* lettera, const QString& foglio, const QString& output)
    {
        return esegui({QStringLiteral("comunicazione"), QStringLiteral("--agenzia"),
                       QString::fromLatin1(lettera).repeated(11), QStringLiteral("--mese"),
                       QStringLiteral("11"), QStringLiteral("--foglio"), m_cartella.file(foglio),
                       QStringLiteral("--prima-riga"), QStringLiteral("1"),
                       QStringLiteral("--output"), m_cartella.file(output),
                       QStringLiteral("--sovrascrivi")});
    }

    QString riga(const char* lettera, const char* stato, const QString& file) const
    {
        return QString::fromLatin1(lettera).repeated(11) + QStringLiteral(";CAMBI ") +
               QLatin1String(lettera) + QLatin1Char(';') + QLatin1String(stato) +
               QLatin1Char(';') + QDir::toNativeSeparators(file);
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    QString m_out, m_err;
};

} // namespace

TEST_F(StoricoTest, ScadenzeTellsEachAgencysMonthByItsLatestCommunication)
{
    OrologioFisso dicembre(QDateTime(QDate(2026, 12, 3), QTime(9, 30)));
    ASSERT_EQ(comunicazione("A", QStringLiteral("buono.csv"), QStringLiteral("a.txt")), 0);
    ASSERT_EQ(esegui({QStringLiteral("vuota"), QStringLiteral("--agenzia"),
                      QStringLiteral("BBBBBBBBBBB"), QStringLiteral("--output"),
                      m_cartella.file(QStringLiteral("b.txt"))}),
              0);
    ASSERT_EQ(comunicazione("C", QStringLiteral("errato.csv"), QStringLiteral("c.txt")), 1);
    // A run that fails records nothing.
    ASSERT_EQ(comunicazione("D", QStringLiteral("manca.csv"), QStringLiteral("d.txt")), 2);

    const QStringList atteso = {
        riga("A", "CREATA", m_cartella.file(QStringLiteral("a.txt"))),
        riga("B", "VUOTA", m_cartella.file(QStringLiteral("b.txt"))),
        riga("C", "CON ERRORI", m_cartella.file(QStringLiteral("c.txt"))),
        riga("D", "MANCANTE", QString()),
    };
    // The month just closed, or the one asked for.
    EXPECT_EQ(esegui({QStringLiteral("scadenze")}), 1);
    EXPECT_EQ(m_out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), atteso);
    EXPECT_EQ(esegui({QStringLiteral("scadenze"), QStringLiteral("--mese"),
                      QStringLiteral("2026-11")}),
              1);
    EXPECT_EQ(m_out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), atteso);
    EXPECT_EQ(esegui({QStringLiteral("scadenze"), QStringLiteral("--mese"),
                      QStringLiteral("2026-10")}),
              1);
    EXPECT_TRUE(m_out.startsWith(QStringLiteral("AAAAAAAAAAA;CAMBI A;MANCANTE;\n")));
    for (const char* sbagliato : {"2026-13", "11/2026", "2026"}) {
        EXPECT_EQ(esegui({QStringLiteral("scadenze"), QStringLiteral("--mese"),
                          QString::fromLatin1(sbagliato)}),
                  2);
        EXPECT_TRUE(m_err.startsWith(QStringLiteral("Mese non valido"))) << sbagliato;
    }

    // C sent again without errors, D empty: every month is done.
    ASSERT_EQ(comunicazione("C", QStringLiteral("buono.csv"), QStringLiteral("c.txt")), 0);
    ASSERT_EQ(esegui({QStringLiteral("vuota"), QStringLiteral("--agenzia"),
                      QStringLiteral("DDDDDDDDDDD"), QStringLiteral("--mese"),
                      QStringLiteral("11"), QStringLiteral("--output"),
                      m_cartella.file(QStringLiteral("d.txt"))}),
              0);
    EXPECT_EQ(esegui({QStringLiteral("scadenze")}), 0);

    const auto righe = Scadenze::elenco(m_ambiente->db(), 2026, 11, QDate(2026, 12, 20));
    ASSERT_TRUE(righe);
    ASSERT_EQ(righe->size(), 4);
    EXPECT_EQ(righe->first().scadenza, QDate(2026, 12, 15));
    EXPECT_EQ(righe->first().giorni, -5);
    int anno = 0, mese = 0;
    Scadenze::mesePrecedente(QDate(2027, 1, 10), anno, mese);
    EXPECT_EQ(anno * 100 + mese, 202612);
    EXPECT_EQ(Scadenze::scadenza(2026, 12), QDate(2027, 1, 15));
}

TEST_F(StoricoTest, StoricoListsNewestFirstAndTellsAFileChangedOrGone)
{
    OrologioFisso prima(QDateTime(QDate(2026, 12, 3), QTime(9, 30)));
    ASSERT_EQ(comunicazione("C", QStringLiteral("errato.csv"), QStringLiteral("c1.txt")), 1);
    {
        OrologioFisso dopo(QDateTime(QDate(2026, 12, 4), QTime(16, 5)));
        ASSERT_EQ(comunicazione("C", QStringLiteral("buono.csv"), QStringLiteral("c2.txt")), 0);
    }
    ASSERT_EQ(esegui({QStringLiteral("storico"), QStringLiteral("--agenzia"),
                      QStringLiteral("ccccccccccc")}),
              0)
        << m_err.toStdString();
    EXPECT_EQ(m_out.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("2026-11;ordinaria;04/12/2026 16:05;2;0;") +
                               QDir::toNativeSeparators(m_cartella.file(QStringLiteral("c2.txt"))) +
                               QStringLiteral(";integro"),
                           QStringLiteral("2026-11;ordinaria;03/12/2026 09:30;1;1;") +
                               QDir::toNativeSeparators(m_cartella.file(QStringLiteral("c1.txt"))) +
                               QStringLiteral(";integro")}));

    const auto invii = StoricoInvii::elenco(m_ambiente->db(), QStringLiteral("CCCCCCCCCCC"));
    ASSERT_TRUE(invii);
    ASSERT_EQ(invii->size(), 2);
    EXPECT_EQ(invii->last().sha256.size(), 32);
    m_cartella.scrivi(QStringLiteral("c2.txt"), "cambiato");
    EXPECT_EQ(StoricoInvii::verifica(invii->first()), StoricoInvii::Verifica::modificato);
    ASSERT_TRUE(QFile::remove(m_cartella.file(QStringLiteral("c1.txt"))));
    EXPECT_EQ(StoricoInvii::verifica(invii->last()), StoricoInvii::Verifica::mancante);

    EXPECT_EQ(esegui({QStringLiteral("storico"), QStringLiteral("--agenzia"),
                      QStringLiteral("NESSUNA")}),
              2);
    EXPECT_EQ(m_err, QStringLiteral("Agenzia non trovata: NESSUNA\n"));

    // An older database, without the table, gains it at the next start.
    m_ambiente.reset();
    m_ambiente = m_cartella.avvia();
    ASSERT_TRUE(m_ambiente);
    ASSERT_TRUE(m_ambiente->db().esegui(QStringLiteral("DROP TABLE STORICO_INVII")));
    m_ambiente.reset();
    m_ambiente = m_cartella.avvia();
    ASSERT_TRUE(m_ambiente);
    const auto vuoto = StoricoInvii::elenco(m_ambiente->db(), QStringLiteral("CCCCCCCCCCC"));
    ASSERT_TRUE(vuoto) << vuoto.errore().toStdString();
    EXPECT_TRUE(vuoto->isEmpty());
}
