#include "shell/ui/FA.h"

#include "registry/ui/FOPC.h"
#include "shell/ui/FINI.h"
#include "support/CartellaProva.h"
#include "support/ProvaDocumenti.h"
#include "support/ProvaMessaggi.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FATest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        m_fa = std::make_unique<FA>(*m_ambiente);
        m_fa->show();
        m_fa->mostraBenvenuto();
    }

    QAction* azione(const char* nome)
    {
        return m_fa->findChild<QAction*>(QString::fromLatin1(nome));
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    ProvaMessaggi m_messaggi;
    ProvaDocumenti m_documenti;
    std::unique_ptr<FA> m_fa;
};

} // namespace

TEST_F(FATest, TheLastReportItemsSayWhenThereIsNone)
{
    azione("rapporto")->trigger();
    EXPECT_EQ(
        m_messaggi.ultimo().testo,
        QStringLiteral("Nessun rapporto errori: il file %1 non esiste.")
            .arg(QDir::toNativeSeparators(m_cartella.file(QStringLiteral("ERRORE_IMPORT.TXT")))));
    azione("mnuAvvisi")->trigger();
    EXPECT_EQ(
        m_messaggi.ultimo().testo,
        QStringLiteral("Nessun avviso: il file %1 non esiste.")
            .arg(QDir::toNativeSeparators(m_cartella.file(QStringLiteral("AVVISI_IMPORT.TXT")))));
    EXPECT_EQ(m_messaggi.ultimo().titolo, QStringLiteral("Ultimi avvisi"));
}

TEST_F(FATest, AgencyButtonsWaitForEntra)
{
    ASSERT_TRUE(azione("ADD") && azione("ELI") && azione("ASSR2") && azione("STAMPA"));
    EXPECT_FALSE(azione("ADD")->isEnabled());
    EXPECT_FALSE(azione("ELI")->isEnabled());
    EXPECT_TRUE(azione("ASSR2")->isEnabled());
    // Menu commands work before "Entra"; ADD does nothing while no agency window exists.
    azione("ICCAM")->trigger();
    EXPECT_EQ(m_documenti.aperti(),
              QStringList{m_cartella.file(QStringLiteral("Help/ZEFIRANTE_ISTRUZIONI.pdf"))});
    EXPECT_TRUE(m_ambiente->formAttivo.isEmpty());

    auto* entra = m_fa->benvenuto()->findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_TRUE(entra);
    EXPECT_EQ(entra->text(), QStringLiteral("Entra"));
    QTest::mouseClick(entra, Qt::LeftButton);
    EXPECT_TRUE(azione("ADD")->isEnabled());
    EXPECT_TRUE(azione("ELI")->isEnabled());
    EXPECT_FALSE(m_fa->benvenuto()->isVisible());
    ASSERT_TRUE(m_fa->agenzie());
    EXPECT_EQ(m_ambiente->formAttivo, QStringLiteral("FOPC"));
}

TEST_F(FATest, AnsweringNoToTheExitQuestionLeavesEverythingOpen)
{
    m_fa->Entra();
    m_messaggi.rispondi(Messaggi::Risposta::No);
    azione("Esci")->trigger();
    const Messaggi::Mostrato domanda = m_messaggi.ultimo();
    EXPECT_EQ(domanda.testo, QStringLiteral("           Vuoi uscire dal programma?         "));
    EXPECT_EQ(domanda.titolo, QStringLiteral("Termine programma"));
    EXPECT_EQ(domanda.predefinita, Messaggi::Risposta::No);
    EXPECT_TRUE(m_fa->isVisible());
    EXPECT_TRUE(m_fa->agenzie() && m_fa->agenzie()->isVisible());

    m_messaggi.rispondi(Messaggi::Risposta::Si);
    azione("Esci")->trigger();
    EXPECT_FALSE(m_fa->isVisible());
}

TEST_F(FATest, BackupWithoutAnAgencyIsRefused)
{
    int aperture = 0;
    m_fa->mostraSalvataggio = [&aperture](QWidget*) { ++aperture; };
    azione("salva")->trigger();
    EXPECT_EQ(m_messaggi.ultimo().testo,
              QStringLiteral("Nessuna Agenzia selezionata. Salvataggi annullato"));
    EXPECT_EQ(m_messaggi.ultimo().titolo, QStringLiteral("Zefirante - Salvataggio"));
    EXPECT_EQ(aperture, 0);

    // Restore needs no agency, and the agency window is opened afresh after it.
    m_fa->Entra();
    const QPointer<FOPC> prima = m_fa->agenzie();
    azione("ripristina")->trigger();
    EXPECT_EQ(aperture, 1);
    EXPECT_EQ(m_ambiente->modoSalva, QStringLiteral("R"));
    EXPECT_TRUE(prima.isNull());  // the old window is gone...
    EXPECT_TRUE(m_fa->agenzie()); // ...and a new one reads the database afresh
}

TEST_F(FATest, RemoteAssistanceStartsWithItsSwitches)
{
    azione("ASSR2")->trigger();
    ASSERT_EQ(m_documenti.avviati().size(), 1);
    EXPECT_TRUE(
        m_documenti.avviati().first().endsWith(QStringLiteral("teleassistenza.exe /hide /su")));
}
