#include "cli/Cli.h"
#include "support/CartellaProva.h"

#include <QTextStream>
#include <gtest/gtest.h>

TEST(Avvio, ANewFolderIsFilledAndUsableAtOnce)
{
    CartellaProva cartella;
    auto ambiente = cartella.avvia();
    ASSERT_TRUE(ambiente);
    EXPECT_TRUE(QFile::exists(cartella.file(QStringLiteral("DataBase/ZEFIRANTE.db"))));
    EXPECT_TRUE(QFile::exists(cartella.file(QStringLiteral("DIVISE.CSV"))));
    auto q = ambiente->db().esegui(
        QStringLiteral("SELECT DES From CTAB where TIPO='DIV' AND COD='usd'"));
    ASSERT_TRUE(q.ok());
    ASSERT_TRUE(q.valore().next());
    EXPECT_EQ(q.valore().value(0).toString(), QStringLiteral("Dollaro USA"));
}

TEST(Cli, AgenzieListsCodeAndNameInNameOrder)
{
    CartellaProva cartella;
    {
        auto ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        ASSERT_TRUE(ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), QStringLiteral("B2")},
                                    {QStringLiteral("ORAG"), QStringLiteral("ZETA CAMBI")}})
                        .ok());
        ASSERT_TRUE(ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), QStringLiteral("A1")},
                                    {QStringLiteral("ORAG"), QStringLiteral("ALFA CAMBI")}})
                        .ok());
    }
    QString out, err;
    QTextStream so(&out), se(&err);
    EXPECT_EQ(
        eseguiCli({QStringLiteral("--cartella"), cartella.percorso(), QStringLiteral("agenzie")},
                  so, se, cartella.file(QStringLiteral("bin"))),
        0);
    EXPECT_EQ(out, QStringLiteral("A1;ALFA CAMBI\nB2;ZETA CAMBI\n"));
    EXPECT_EQ(eseguiCli({QStringLiteral("--cartella"), cartella.percorso(), QStringLiteral("boh")},
                        so, se, QString()),
              2);
    EXPECT_TRUE(err.contains(QStringLiteral("Comando sconosciuto")));
}

TEST(Cli, EveryCommandAnswersHelpWithItsOptionsWithoutOpeningTheDatabase)
{
    CartellaProva cartella;
    const struct
    {
        const char* comando;
        QStringList voci; // each at the start of a line of the help
    } casi[] = {
        {"agenzie", {}},
        {"agenzia",
         {QStringLiteral("--codice CF"), QStringLiteral("--tipo PNF|PF"),
          QStringLiteral("--partita-iva"), QStringLiteral("--domicilio-provincia")}},
        {"comunicazione",
         {QStringLiteral("--agenzia CF"), QStringLiteral("--foglio FILE"),
          QStringLiteral("--output FILE"), QStringLiteral("--anno AAAA"),
          QStringLiteral("--mese MM"), QStringLiteral("--sostitutiva"),
          QStringLiteral("--separatore"), QStringLiteral("--prima-riga"),
          QStringLiteral("--sovrascrivi")}},
        {"vuota",
         {QStringLiteral("--agenzia CF"), QStringLiteral("--output FILE"),
          QStringLiteral("--anno AAAA"), QStringLiteral("--mese MM"),
          QStringLiteral("--sovrascrivi")}},
        {"salva", {QStringLiteral("--agenzia CF"), QStringLiteral("--output FILE")}},
        {"ripristina", {QStringLiteral("FILE")}},
        {"stampa",
         {QStringLiteral("--agenzia CF"), QStringLiteral("--elenco operazioni|note"),
          QStringLiteral("--anno AAAA"), QStringLiteral("--pdf FILE")}},
    };
    for (const auto& caso : casi) {
        const QString comando = QString::fromLatin1(caso.comando);
        QString out, err;
        QTextStream so(&out), se(&err);
        EXPECT_EQ(eseguiCli({QStringLiteral("--cartella"), cartella.percorso(), comando,
                             QStringLiteral("--help")},
                            so, se, QString()),
                  0)
            << caso.comando;
        EXPECT_TRUE(out.startsWith(QStringLiteral("Uso: zefirante-cli ") + comando))
            << out.toStdString();
        for (const QString& voce : caso.voci)
            EXPECT_TRUE(out.contains(QStringLiteral("\n  ") + voce + QLatin1Char(' ')))
                << caso.comando << ": " << voce.toStdString();
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(cartella.file(QStringLiteral("DataBase/ZEFIRANTE.db"))));
}
