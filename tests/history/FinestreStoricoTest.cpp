#include "history/StoricoInvii.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/ui/FOPC.h"
#include "shell/ui/FA.h"
#include "support/CartellaProva.h"
#include "support/MentreAperta.h"
#include "support/OrologioFisso.h"
#include "support/ProvaDialoghi.h"
#include "support/ProvaDocumenti.h"
#include "support/ProvaMessaggi.h"

#include <QAction>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FinestreStoricoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
    }

    void agenzia(const QString& codice, const QString& ragione)
    {
        Agenzia a;
        a.ocod = a.ocf = codice;
        a.orag = ragione;
        a.ostp = QStringLiteral("G");
        a.oscom = QStringLiteral("ROMA");
        a.ospro = QStringLiteral("RM");
        ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(), a).ok());
    }

    // A communication file written at `quando` and recorded in the history.
    QString registra(const QString& codice, int mese, StoricoInvii::Tipo tipo, qint64 errori,
                     const QString& nome, const QDateTime& quando)
    {
        OrologioFisso orologio(quando);
        m_cartella.scrivi(nome, QByteArray(448, 'A') + "\r\n");
        StoricoInvii::Invio invio;
        invio.agenzia = codice;
        invio.anno = 2026;
        invio.mese = mese;
        invio.tipo = tipo;
        invio.percorso = m_cartella.file(nome);
        invio.recordB = 7;
        invio.righeErrori = errori;
        const auto registrato = StoricoInvii::registra(m_ambiente->db(), invio);
        EXPECT_TRUE(registrato.ok()) << registrato.errore().toStdString();
        return invio.percorso;
    }

    static QStringList riga(const QTableWidget* tabella, int r)
    {
        QStringList celle;
        for (int c = 0; c < tabella->columnCount(); ++c)
            celle << tabella->item(r, c)->text();
        return celle;
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    ProvaMessaggi m_messaggi;
    ProvaDocumenti m_documenti;
};

} // namespace

TEST_F(FinestreStoricoTest, TheStripAndTheHistoryShowWhatWasRecorded)
{
    OrologioFisso marzo(QDate(2026, 3, 10));
    agenzia(QStringLiteral("AAA"), QStringLiteral("ALFA CAMBI"));
    // January written with errors, then replaced by a clean one: the latest decides.
    registra(QStringLiteral("AAA"), 1, StoricoInvii::Tipo::ordinaria, 2, QStringLiteral("gen.txt"),
             QDateTime(QDate(2026, 2, 3), QTime(9, 5)));
    const QString gennaio =
        registra(QStringLiteral("AAA"), 1, StoricoInvii::Tipo::sostitutiva, 0,
                 QStringLiteral("gen2.txt"), QDateTime(QDate(2026, 2, 4), QTime(17, 30)));
    registra(QStringLiteral("AAA"), 2, StoricoInvii::Tipo::vuota, 0, QStringLiteral("feb.txt"),
             QDateTime(QDate(2026, 3, 2), QTime(8, 0)));
    m_cartella.scrivi(QStringLiteral("gen.txt"), "changed by hand");
    QFile::remove(m_cartella.file(QStringLiteral("feb.txt")));

    FOPC finestra(*m_ambiente);
    finestra.show();
    const auto mese = [&finestra](const char* nome) {
        return finestra.findChild<QLabel*>(QString::fromLatin1(nome));
    };
    ASSERT_TRUE(mese("Mese01") && mese("Mese12"));
    EXPECT_TRUE(finestra.findChild<QWidget*>(QStringLiteral("StrisciaMesi"))->isEnabled());
    EXPECT_EQ(mese("Mese01")->text(), QStringLiteral("gen\ncreata"));
    EXPECT_EQ(mese("Mese01")->toolTip(),
              QDir::toNativeSeparators(gennaio) + QStringLiteral("\nscritto il 04/02/2026 17:30"));
    EXPECT_EQ(mese("Mese02")->text(), QStringLiteral("feb\nvuota"));
    EXPECT_EQ(mese("Mese03")->text(), QStringLiteral("mar\nmancante"));
    EXPECT_EQ(mese("Mese03")->toolTip(), QStringLiteral("Nessuna comunicazione registrata"));
    finestra.findChild<QLineEdit*>(QStringLiteral("vANNO"))->setText(QStringLiteral("2025"));
    EXPECT_EQ(mese("Mese01")->text(), QStringLiteral("gen\nmancante"));
    finestra.findChild<QLineEdit*>(QStringLiteral("vANNO"))->setText(QStringLiteral("2026"));
    // The empty March written from the window shows at once.
    finestra.ScegliPeriodo(2026, 3);
    ProvaDialoghi dialoghi;
    dialoghi.scegli(m_cartella.file(QStringLiteral("mar.txt")));
    m_messaggi.rispondi(Messaggi::Risposta::Si);
    finestra.cVUOTA();
    EXPECT_EQ(mese("Mese03")->text(), QStringLiteral("mar\nvuota"));

    auto* storico = finestra.findChild<QPushButton*>(QStringLiteral("cStorico"));
    ASSERT_TRUE(storico && storico->isEnabled());
    MentreAperta aperta([this](QDialog* f) {
        EXPECT_EQ(f->objectName(), QStringLiteral("FStorico"));
        auto* tabella = f->findChild<QTableWidget*>(QStringLiteral("TabellaStorico"));
        EXPECT_EQ(tabella->rowCount(), 4);
        EXPECT_EQ(riga(tabella, 0).at(0), QStringLiteral("03/2026"));
        EXPECT_EQ(riga(tabella, 1), (QStringList{"02/2026", "vuota", "feb.txt", "02/03/2026 08:00",
                                                 "7", "0", "mancante"}));
        EXPECT_EQ(riga(tabella, 2), (QStringList{"01/2026", "sostitutiva", "gen2.txt",
                                                 "04/02/2026 17:30", "7", "0", "integro"}));
        EXPECT_EQ(riga(tabella, 3), (QStringList{"01/2026", "ordinaria", "gen.txt",
                                                 "03/02/2026 09:05", "7", "2", "modificato"}));
        tabella->selectRow(3);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("ApriCartella")),
                          Qt::LeftButton);
        EXPECT_EQ(m_documenti.aperti(), QStringList{m_cartella.percorso()});
        f->accept();
    });
    QTest::mouseClick(storico, Qt::LeftButton);
    EXPECT_TRUE(aperta.aperta());

    // A new agency has no history yet.
    finestra.Aggiungi();
    EXPECT_FALSE(finestra.findChild<QWidget*>(QStringLiteral("StrisciaMesi"))->isEnabled());
    EXPECT_EQ(mese("Mese01")->text(), QStringLiteral("gen\nmancante"));
    EXPECT_FALSE(storico->isEnabled());
}

TEST_F(FinestreStoricoTest, TheDeadlinesListEveryAgencyAndOpenTheChosenOne)
{
    OrologioFisso oggi(QDate(2026, 3, 20));
    agenzia(QStringLiteral("BBB"), QStringLiteral("BETA CAMBI"));
    agenzia(QStringLiteral("AAA"), QStringLiteral("ALFA CAMBI"));
    const QString febbraio =
        registra(QStringLiteral("BBB"), 2, StoricoInvii::Tipo::ordinaria, 1,
                 QStringLiteral("beta.txt"), QDateTime(QDate(2026, 3, 12), QTime(9, 0)));

    FA principale(*m_ambiente);
    principale.show();
    principale.Entra();
    MentreAperta aperta([&](QDialog* f) {
        EXPECT_EQ(f->objectName(), QStringLiteral("FScadenze"));
        EXPECT_EQ(f->findChild<QDateEdit*>(QStringLiteral("MeseScadenze"))->date(),
                  QDate(2026, 2, 1));
        auto* tabella = f->findChild<QTableView*>(QStringLiteral("TabellaScadenze"));
        const auto testo = [tabella](int r, int c) {
            return tabella->model()->index(r, c).data().toString();
        };
        ASSERT_EQ(tabella->model()->rowCount(), 2);
        // The agency list's order, by company name.
        EXPECT_EQ(testo(0, 0), QStringLiteral("AAA"));
        EXPECT_EQ(testo(0, 2), QStringLiteral("mancante"));
        EXPECT_EQ(testo(0, 4), QStringLiteral("15/03/2026"));
        EXPECT_EQ(testo(0, 5), QStringLiteral("scaduta da 5 giorni"));
        EXPECT_EQ(testo(1, 1), QStringLiteral("BETA CAMBI"));
        EXPECT_EQ(testo(1, 2), QStringLiteral("con errori"));
        EXPECT_EQ(testo(1, 3), QDir::toNativeSeparators(febbraio));

        // March is not due yet.
        f->findChild<QDateEdit*>(QStringLiteral("MeseScadenze"))->setDate(QDate(2026, 3, 1));
        EXPECT_EQ(testo(0, 5), QStringLiteral("26"));
        EXPECT_EQ(testo(1, 2), QStringLiteral("mancante"));
        tabella->selectRow(1);
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("ApriAgenzia")),
                          Qt::LeftButton);
    });
    principale.findChild<QAction*>(QStringLiteral("tbScadenze"))->trigger();
    ASSERT_TRUE(aperta.aperta());
    FOPC* agenzie = principale.agenzie();
    ASSERT_TRUE(agenzie);
    EXPECT_EQ(agenzie->findChild<QLineEdit*>(QStringLiteral("tOCOD"))->text(),
              QStringLiteral("BBB"));
    EXPECT_EQ(agenzie->findChild<QLineEdit*>(QStringLiteral("vMESE"))->text(),
              QStringLiteral("03"));
}
