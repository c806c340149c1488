#include "shell/ui/FA.h"
#include "support/CartellaProva.h"
#include "support/ProvaDocumenti.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class MenuAiutoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        fa = std::make_unique<FA>(*ambiente);
    }

    // The document a Help item opens, relative to the application folder.
    QString apre(const char* voce)
    {
        auto* azione = fa->findChild<QAction*>(QString::fromLatin1(voce));
        if (!azione)
            return QStringLiteral("(no item %1)").arg(QLatin1String(voce));
        const qsizetype prima = documenti.aperti().size();
        azione->trigger();
        if (documenti.aperti().size() != prima + 1)
            return QStringLiteral("(nothing opened)");
        return documenti.aperti().last().mid(cartella.percorso().size() + 1);
    }

    CartellaProva cartella;
    std::unique_ptr<Ambiente> ambiente;
    ProvaDocumenti documenti;
    std::unique_ptr<FA> fa;
};

} // namespace

TEST_F(MenuAiutoTest, BaseSheetItemOpensTheShippedWorkbook)
{
    const QString foglio = apre("fbase");
    EXPECT_EQ(foglio, QStringLiteral("Help/ZEFIRANTE_BASE.xlsx"));
    EXPECT_TRUE(QFile::exists(cartella.file(foglio)));
}

TEST_F(MenuAiutoTest, OamManualItemOpensTheSavedManualOrThePageSayingWhereToGetIt)
{
    const QString pagina = apre("ISTR");
    EXPECT_EQ(pagina, QStringLiteral("Help/MANUALE_OAM.html"));
    EXPECT_TRUE(cartella.leggi(pagina).contains("www.organismo-am.it"));

    cartella.scrivi(QStringLiteral("Help/MANUALE_OAM_CAMBIAVALUTE.pdf"), "%PDF-1.4\n");
    EXPECT_EQ(apre("ISTR"), QStringLiteral("Help/MANUALE_OAM_CAMBIAVALUTE.pdf"));
}
