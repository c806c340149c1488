#include "registry/ui/FOPC.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"
#include "support/ProvaDialoghi.h"
#include "support/ProvaDocumenti.h"
#include "support/ProvaMessaggi.h"

#include <QApplication>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The guide's first hour in the agency window: register a company, then
// create November's communication from the two example sheets of Help.
class GuidaFinestreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ambiente = cartella.avvia();
        ASSERT_TRUE(ambiente);
        finestra = std::make_unique<FOPC>(*ambiente);
        finestra->resize(1200, 700);
        finestra->show();
        QApplication::setActiveWindow(finestra.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(finestra.get()));
    }

    template <typename T = QLineEdit> T* w(const char* nome) const
    {
        T* trovato = finestra->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_TRUE(trovato) << nome;
        return trovato;
    }

    // Creates the communication from a sheet of Help; returns the message shown at the end.
    Messaggi::Mostrato crea(const char* foglio, const QString& uscita)
    {
        dialoghi.scegli(cartella.file(QStringLiteral("Help/") + QString::fromLatin1(foglio)));
        dialoghi.scegli(uscita);
        QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
        return messaggi.ultimo();
    }

    // The examples are a November; the window proposes the month before today.
    OrologioFisso dicembre{QDate(2026, 12, 8)};
    CartellaProva cartella;
    std::unique_ptr<Ambiente> ambiente;
    ProvaMessaggi messaggi;
    ProvaDialoghi dialoghi;
    ProvaDocumenti documenti;
    std::unique_ptr<FOPC> finestra;
};

} // namespace

TEST_F(GuidaFinestreTest, ExampleMonthsThroughTheAgencyWindow)
{
    finestra->Aggiungi();
    w("tOCOD")->setText(QStringLiteral("01234567890"));
    w("vOCF")->setText(QStringLiteral("01234567890"));
    w("torag")->setText(QStringLiteral("CAMBI CENTRO SRL"));
    w("vOSCOM")->setText(QStringLiteral("ROMA"));
    w("vOSPRO")->setText(QStringLiteral("RM"));
    QTest::mouseClick(w<QPushButton>("Cmd_Conferma"), Qt::LeftButton);
    EXPECT_EQ(w("vANNO")->text(), QStringLiteral("2026"));
    EXPECT_EQ(w("vMESE")->text(), QStringLiteral("11"));

    const QString buona = cartella.file(QStringLiteral("buona.txt"));
    const Messaggi::Mostrato riuscita = crea("ESEMPIO_MESE.xlsx", buona);
    EXPECT_EQ(riuscita.icona, Messaggi::Icona::Informazione);
    EXPECT_TRUE(riuscita.testo.contains(QStringLiteral("creata con successo")))
        << riuscita.testo.toStdString();
    ASSERT_FALSE(dialoghi.richieste().isEmpty());
    EXPECT_EQ(dialoghi.richieste().last().nomeProposto,
              QStringLiteral("COAM_202611_CAMBICENTR.TXT"));
    EXPECT_EQ(QFileInfo(buona).size(), 26 * 450);
    EXPECT_TRUE(documenti.aperti().isEmpty());

    const Messaggi::Mostrato conErrori =
        crea("ESEMPIO_ERRORI.xlsx", cartella.file(QStringLiteral("errori.txt")));
    EXPECT_EQ(conErrori.icona, Messaggi::Icona::Critica);
    EXPECT_TRUE(conErrori.testo.contains(QStringLiteral("creata CON ERRORI")))
        << conErrori.testo.toStdString();
    EXPECT_EQ(documenti.aperti(), QStringList{cartella.file(QStringLiteral("ERRORE_IMPORT.TXT"))});
}
