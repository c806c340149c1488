#include "TestoPdf.h"
#include "cli/Cli.h"
#include "shell/Ambiente.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"

#include <QFile>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

class ComandoStampaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto ambiente = m_cartella.avvia();
        ASSERT_TRUE(ambiente);
        // A natural person: the agency line joins surname and first name.
        ASSERT_TRUE(ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), QStringLiteral("VRDGPP70B02F205X")},
                                    {QStringLiteral("OCOG"), QStringLiteral("VERDI")},
                                    {QStringLiteral("ONOME"), QStringLiteral("GIUSEPPE")}})
                        .ok());
        for (const char* data : {"2016-02-01", "2016-11-30", "2017-01-02"}) {
            ASSERT_TRUE(
                ambiente->db()
                    .inserisci(QStringLiteral("COPERA"),
                               {{QStringLiteral("OCOD"), QStringLiteral("VRDGPP70B02F205X")},
                                {QStringLiteral("ODATA"), QString::fromLatin1(data)},
                                {QStringLiteral("ADES"),
                                 QStringLiteral("CLIENTE ") + QString::fromLatin1(data)}})
                    .ok());
        }
    }

    int cli(QStringList argomenti)
    {
        m_out.clear();
        m_err.clear();
        QTextStream out(&m_out), err(&m_err);
        argomenti.prepend(m_cartella.percorso());
        argomenti.prepend(QStringLiteral("--cartella"));
        return eseguiCli(argomenti, out, err, m_cartella.file(QStringLiteral("bin")));
    }

    OrologioFisso m_oggi{QDate(2017, 8, 1)};
    CartellaProva m_cartella;
    QString m_out, m_err;
};

} // namespace

TEST_F(ComandoStampaTest, WritesTheListOfThePreviousYearByDefault)
{
    RICHIEDE_LETTORE_PDF();
    const QString pdf = m_cartella.file(QStringLiteral("elenco"));
    ASSERT_EQ(cli({QStringLiteral("stampa"), QStringLiteral("--agenzia"),
                   QStringLiteral("vrdgpp70b02f205x"), QStringLiteral("--elenco"),
                   QStringLiteral("operazioni"), QStringLiteral("--pdf"), pdf}),
              0)
        << m_err.toStdString();
    EXPECT_TRUE(m_out.contains(QStringLiteral("righe 2, pagine 1"))) << m_out.toStdString();
    const QString testo = paginePdf(pdf + QStringLiteral(".PDF")).value(0);
    EXPECT_TRUE(testo.contains(QStringLiteral("ZEFIRANTE - Elenco OPERAZIONI ANNO 2016")));
    EXPECT_TRUE(testo.contains(QStringLiteral("VRDGPP70B02F205X VERDIGIUSEPPE")));
    EXPECT_TRUE(testo.contains(QStringLiteral("CLIENTE 2016-11-30")));
    EXPECT_FALSE(testo.contains(QStringLiteral("CLIENTE 2017-01-02")));

    const QString note = m_cartella.file(QStringLiteral("note.pdf"));
    ASSERT_EQ(
        cli({QStringLiteral("stampa"), QStringLiteral("--agenzia"),
             QStringLiteral("VRDGPP70B02F205X"), QStringLiteral("--elenco"), QStringLiteral("note"),
             QStringLiteral("--anno"), QStringLiteral("2017"), QStringLiteral("--pdf"), note}),
        0)
        << m_err.toStdString();
    EXPECT_TRUE(paginePdf(note).value(0).contains(QStringLiteral("NOTE DI VARIAZIONE ANNO 2017")));
}

TEST_F(ComandoStampaTest, RefusesWhatItCannotPrint)
{
    const QString pdf = m_cartella.file(QStringLiteral("mai.pdf"));
    const struct
    {
        QStringList argomenti;
        const char* messaggio;
    } casi[] = {
        {{QStringLiteral("--agenzia"), QStringLiteral("NESSUNA"), QStringLiteral("--elenco"),
          QStringLiteral("note"), QStringLiteral("--pdf"), pdf},
         "Agenzia non trovata"},
        {{QStringLiteral("--agenzia"), QStringLiteral("VRDGPP70B02F205X"),
          QStringLiteral("--elenco"), QStringLiteral("clienti"), QStringLiteral("--pdf"), pdf},
         "Elenco sconosciuto"},
        {{QStringLiteral("--agenzia"), QStringLiteral("VRDGPP70B02F205X"),
          QStringLiteral("--elenco"), QStringLiteral("note"), QStringLiteral("--anno"),
          QStringLiteral("16"), QStringLiteral("--pdf"), pdf},
         "quattro cifre"},
        {{QStringLiteral("--agenzia"), QStringLiteral("VRDGPP70B02F205X"),
          QStringLiteral("--elenco"), QStringLiteral("note")},
         "Servono"},
        {{QStringLiteral("--agenzia")}, "Manca il valore"},
    };
    for (const auto& caso : casi) {
        QStringList argomenti = caso.argomenti;
        argomenti.prepend(QStringLiteral("stampa"));
        EXPECT_EQ(cli(argomenti), 2) << caso.messaggio;
        EXPECT_TRUE(m_err.contains(QString::fromLatin1(caso.messaggio))) << m_err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(pdf));

    // A template already in the folder is never replaced at start, so a broken edit stays and is
    // reported.
    m_cartella.scrivi(QStringLiteral("stampe/SPM_LNV.rep"), "[colonna]\ntitolo = senza campo\n");
    EXPECT_EQ(cli({QStringLiteral("stampa"), QStringLiteral("--agenzia"),
                   QStringLiteral("VRDGPP70B02F205X"), QStringLiteral("--elenco"),
                   QStringLiteral("note"), QStringLiteral("--pdf"), pdf}),
              2);
    EXPECT_TRUE(m_err.startsWith(QStringLiteral("Listato PDF: "))) << m_err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
}
