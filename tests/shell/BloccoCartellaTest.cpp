#include "shell/BloccoCartella.h"

#include "cli/Cli.h"
#include "shell/ui/UnaFinestra.h"
#include "support/CartellaProva.h"
#include "support/ProvaMessaggi.h"

#include <QTextStream>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(BloccoCartella, ASecondWindowOnTheSameFolderIsRefusedUntilTheFirstCloses)
{
    CartellaProva cartella;
    ProvaMessaggi messaggi;
    auto prima = bloccaPerFinestre(cartella.percorso());
    ASSERT_TRUE(prima);
    EXPECT_TRUE(messaggi.mostrati().isEmpty());

    EXPECT_FALSE(bloccaPerFinestre(cartella.percorso()));
    ASSERT_EQ(messaggi.mostrati().size(), 1);
    EXPECT_EQ(messaggi.ultimo().testo, QStringLiteral("ZEFIRANTE è già aperto su questa cartella"));
    EXPECT_EQ(messaggi.ultimo().icona, Messaggi::Icona::Avviso);

    // Another folder is another program's business.
    CartellaProva altra;
    EXPECT_TRUE(bloccaPerFinestre(altra.percorso()));
    prima.reset();
    EXPECT_TRUE(bloccaPerFinestre(cartella.percorso()));
    EXPECT_EQ(messaggi.mostrati().size(), 1);
}

TEST(BloccoCartella, TheCliWaitsForAnotherRunNotForAnOpenWindow)
{
    CartellaProva cartella;
    ProvaMessaggi messaggi;
    const auto finestra = bloccaPerFinestre(cartella.percorso());
    ASSERT_TRUE(finestra);
    const QStringList agenzie{QStringLiteral("--cartella"), cartella.percorso(),
                              QStringLiteral("agenzie")};
    QString out, err;
    QTextStream so(&out), se(&err);
    EXPECT_EQ(eseguiCli(agenzie, so, se, QString(), 50ms), 0) << err.toStdString();

    {
        BloccoCartella altroCli(cartella.percorso(), BloccoCartella::Programma::RigaDiComando);
        ASSERT_TRUE(altroCli.prendi(0ms));
        EXPECT_EQ(eseguiCli(agenzie, so, se, QString(), 50ms), 2);
        EXPECT_EQ(err.trimmed(), QStringLiteral("Un altro zefirante-cli sta lavorando su questa "
                                                "cartella: attesa scaduta, riprovare più tardi."));
    }
    err.clear();
    EXPECT_EQ(eseguiCli(agenzie, so, se, QString(), 50ms), 0) << err.toStdString();
}
