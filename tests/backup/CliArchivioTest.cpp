#include "cli/Cli.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"

#include <QDir>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

struct EsitoCli
{
    int codice;
    QString out;
    QString err;
};

EsitoCli cli(const CartellaProva& cartella, QStringList argomenti)
{
    EsitoCli u{0, {}, {}};
    QTextStream so(&u.out), se(&u.err);
    argomenti.prepend(cartella.percorso());
    argomenti.prepend(QStringLiteral("--cartella"));
    u.codice = eseguiCli(argomenti, so, se, cartella.file(QStringLiteral("bin")));
    return u;
}

} // namespace

TEST(CliArchivio, SalvaThenRipristinaBringsTheAgencyBack)
{
    OrologioFisso orologio(QDate(2017, 9, 6));
    CartellaProva cartella;
    {
        auto ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        ASSERT_TRUE(ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), QStringLiteral("A1")},
                                    {QStringLiteral("OCOG"), QStringLiteral("Rossi")},
                                    {QStringLiteral("ONOME"), QStringLiteral("Mario")}})
                        .ok());
    }
    const QString file = cartella.file(QStringLiteral("a1.ZFOAM"));
    EsitoCli u = cli(cartella, {QStringLiteral("salva"), QStringLiteral("--agenzia"),
                                QStringLiteral("A1"), QStringLiteral("--output"), file});
    ASSERT_EQ(u.codice, 0) << u.err.toStdString();
    EXPECT_TRUE(cartella.leggi(QStringLiteral("a1.ZFOAM"))
                    .startsWith("\xA6"
                                "COPE\xA6"
                                "A1\xA6"));

    // Without --output the archive gets its dated name in the current folder.
    const QString corrente = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(cartella.percorso()));
    u = cli(cartella, {QStringLiteral("salva"), QStringLiteral("--agenzia"), QStringLiteral("A1")});
    QDir::setCurrent(corrente);
    EXPECT_EQ(u.codice, 0) << u.err.toStdString();
    EXPECT_EQ(cartella.leggi(QStringLiteral("SAVE_ROSSIMARIO_20170906.ZFOAM")),
              cartella.leggi(QStringLiteral("a1.ZFOAM")));

    {
        auto ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente->db().esegui(QStringLiteral("DELETE FROM COPE")).ok());
    }
    u = cli(cartella, {QStringLiteral("ripristina"), file});
    ASSERT_EQ(u.codice, 0) << u.err.toStdString();
    EXPECT_TRUE(u.out.contains(QStringLiteral("BFRR_A1_20170906.COR")));
    auto ambiente = cartella.avvia();
    auto q = ambiente->db().esegui(QStringLiteral("SELECT OCOG FROM COPE WHERE OCOD='A1'"));
    ASSERT_TRUE(q.ok() && q.valore().next());
    EXPECT_EQ(q.valore().value(0).toString(), QStringLiteral("Rossi"));
}

TEST(CliArchivio, RefusalsExitWithTwoAndSayWhy)
{
    CartellaProva cartella;
    cartella.scrivi(QStringLiteral("non.ZFOAM"), "#CTAB#A#B#C\r\n");
    const struct
    {
        QStringList argomenti;
        const char* messaggio;
    } casi[] = {
        {{QStringLiteral("salva")}, "--agenzia"},
        {{QStringLiteral("salva"), QStringLiteral("--agenzia"), QStringLiteral("NESSUNA")},
         "non trovata"},
        {{QStringLiteral("salva"), QStringLiteral("--boh")}, "--boh"},
        {{QStringLiteral("ripristina")}, "ripristina FILE"},
        {{QStringLiteral("ripristina"), cartella.file(QStringLiteral("non.ZFOAM"))},
         "non è un file di backUp"},
    };
    for (const auto& caso : casi) {
        const EsitoCli u = cli(cartella, caso.argomenti);
        EXPECT_EQ(u.codice, 2) << caso.messaggio;
        EXPECT_TRUE(u.err.contains(QString::fromUtf8(caso.messaggio))) << u.err.toStdString();
    }
}
