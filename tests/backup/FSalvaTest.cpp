#include "backup/ui/FSalva.h"

#include "backup/FormatoArchivio.h"
#include "registry/ui/FOPC.h"
#include "shell/ui/FA.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"
#include "support/ProvaDialoghi.h"
#include "support/ProvaMessaggi.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString Codice = QStringLiteral("RSSMRA80A01H501U");

class FSalvaTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        ASSERT_TRUE(m_ambiente->db()
                        .inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), Codice},
                                    {QStringLiteral("ORAG"), QStringLiteral("Rossi Cambi")}})
                        .ok());
        ASSERT_TRUE(m_ambiente->db()
                        .inserisci(QStringLiteral("CTAB"),
                                   {{QStringLiteral("TIPO"), QStringLiteral("NOTE")},
                                    {QStringLiteral("COD"), Codice},
                                    {QStringLiteral("DES"), QStringLiteral("nota")}})
                        .ok());
    }

    template <typename T> T* controllo(const FSalva& finestra, const char* nome) const
    {
        T* c = finestra.findChild<T*>(QString::fromLatin1(nome));
        EXPECT_TRUE(c) << nome;
        return c;
    }

    QString ragioneSociale() const
    {
        auto q = m_ambiente->db().esegui(
            QStringLiteral("SELECT ORAG FROM COPE WHERE OCOD='%1'").arg(Codice));
        return q.ok() && q.valore().next() ? q.valore().value(0).toString() : QString();
    }

    OrologioFisso m_orologio{QDate(2017, 9, 6)};
    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    ProvaMessaggi m_messaggi;
    ProvaDialoghi m_dialoghi;
};

// Presses "Conferma" in the modal backup window once it runs.
void confermaQuandoAperta(QWidget* padre)
{
    QTimer::singleShot(0, padre, [padre] {
        FSalva* finestra = padre->findChild<FSalva*>();
        ASSERT_TRUE(finestra && finestra->isVisible());
        QPushButton* conferma = finestra->findChild<QPushButton*>(QStringLiteral("Bconferma"));
        ASSERT_TRUE(conferma && conferma->isVisible());
        conferma->click();
    });
}

} // namespace

TEST_F(FSalvaTest, MainWindowSavesAndRestoresThenReopensTheAgencyWindow)
{
    FA principale(*m_ambiente);
    principale.mostraSalvataggio = [this](QWidget* padre) {
        FSalva finestra(*m_ambiente, padre);
        finestra.mostra();
    };
    principale.show();
    principale.Entra();
    m_ambiente->agenziaCorrente = {Codice, QString(), QStringLiteral("Rossi Cambi")};

    const QString file = m_cartella.file(QStringLiteral("scelto.ZFOAM"));
    m_dialoghi.scegli(file);
    QPointer<FOPC> agenzie = principale.agenzie();
    confermaQuandoAperta(&principale);
    principale.findChild<QAction*>(QStringLiteral("salva"))->trigger();

    ASSERT_EQ(m_dialoghi.richieste().size(), 1);
    const DialoghiFile::Richiesta salva = m_dialoghi.richieste().at(0);
    EXPECT_TRUE(salva.salva);
    EXPECT_EQ(salva.titolo, QStringLiteral("Indica dove salvare il file di backUp"));
    EXPECT_EQ(salva.filtro, QStringLiteral("BackUp ZEFIRANTE (*.ZFOAM)|*.ZFOAM"));
    EXPECT_EQ(salva.nomeProposto, QStringLiteral("SAVE_ROSSICAMBI_20170906.ZFOAM"));
    EXPECT_EQ(m_messaggi.ultimo().testo, QStringLiteral("Creazione file di BackUP terminata"));
    EXPECT_EQ(m_cartella.leggi(QStringLiteral("scelto.ZFOAM")).count("\r\n"), 2);
    EXPECT_TRUE(agenzie.isNull()); // the agency window was closed and opened afresh
    ASSERT_TRUE(principale.agenzie());

    ASSERT_TRUE(m_ambiente->db().esegui(QStringLiteral("UPDATE COPE SET ORAG='CAMBIATA'")).ok());
    m_ambiente->agenziaCorrente = {};
    m_dialoghi.scegli(file);
    agenzie = principale.agenzie();
    confermaQuandoAperta(&principale);
    principale.findChild<QAction*>(QStringLiteral("ripristina"))->trigger();

    ASSERT_EQ(m_dialoghi.richieste().size(), 2);
    const DialoghiFile::Richiesta apri = m_dialoghi.richieste().at(1);
    EXPECT_FALSE(apri.salva);
    EXPECT_EQ(apri.titolo, QStringLiteral("Indica il file di backUp da ripristinare"));
    EXPECT_TRUE(apri.nomeProposto.isEmpty());
    EXPECT_EQ(m_messaggi.ultimo().testo, QStringLiteral("Ripristino terminato"));
    EXPECT_EQ(ragioneSociale(), QStringLiteral("Rossi Cambi"));
    EXPECT_TRUE(agenzie.isNull());
    EXPECT_TRUE(principale.agenzie());
    EXPECT_FALSE(principale.findChild<FSalva*>());
}

TEST_F(FSalvaTest, RestoreModeShowsTheArchiveAgencyAndAsksBeforeReplacing)
{
    // 1002 lines: the progress bar goes 1..999, back to 1 at the thousandth, then 2 and 3.
    QByteArray contenuto = "\xA6"
                           "COPE\xA6" +
                           Codice.toLatin1() +
                           "\xA6"
                           "Rossi Cambi\r\n";
    for (int i = 0; i < 1001; ++i)
        contenuto += "\xA6"
                     "CTAB\xA6"
                     "T" +
                     QByteArray::number(i) + "\xA6" + Codice.toLatin1() +
                     "\xA6"
                     "x\r\n";
    m_cartella.scrivi(QStringLiteral("a.ZFOAM"), contenuto);
    ASSERT_TRUE(m_ambiente->db().esegui(QStringLiteral("UPDATE COPE SET ORAG='CAMBIATA'")).ok());
    m_ambiente->modoSalva = QStringLiteral("R");
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("a.ZFOAM")));

    FSalva finestra(*m_ambiente);
    ASSERT_TRUE(finestra.prepara());
    EXPECT_EQ(controllo<QLabel>(finestra, "Label1")->text(),
              QStringLiteral("RIPRISTINA ARCHIVIO DI BACKUP"));
    EXPECT_EQ(controllo<QLabel>(finestra, "Label2")->text(),
              Codice + QStringLiteral(" Rossi Cambi"));
    EXPECT_FALSE(controllo<QLabel>(finestra, "Label3")->isHidden());
    EXPECT_EQ(controllo<QLabel>(finestra, "Label3")->text(),
              QStringLiteral("Confermi il ripristino di questo archivio? Se presenti, i dati "
                             "dell'operatore saranno SOSTITUITI"));
    EXPECT_TRUE(controllo<QProgressBar>(finestra, "PBar1")->isHidden());
    EXPECT_EQ(ragioneSociale(), QStringLiteral("CAMBIATA")); // nothing happens before "Conferma"

    controllo<QPushButton>(finestra, "Bconferma")->click();
    EXPECT_EQ(m_messaggi.ultimo().testo, QStringLiteral("Ripristino terminato"));
    EXPECT_EQ(ragioneSociale(), QStringLiteral("Rossi Cambi"));
    EXPECT_FALSE(controllo<QProgressBar>(finestra, "PBar1")->isHidden());
    EXPECT_EQ(controllo<QProgressBar>(finestra, "PBar1")->maximum(), 1000);
    EXPECT_EQ(controllo<QProgressBar>(finestra, "PBar1")->value(), 3);
    EXPECT_EQ(finestra.result(), QDialog::Accepted);
}

TEST_F(FSalvaTest, CancelledRefusedAndFailedOperationsSayWhyAndChangeNothing)
{
    // Save with the dialog cancelled: only "Chiudi" remains.
    m_ambiente->modoSalva = QStringLiteral("S");
    m_ambiente->agenziaCorrente = {Codice, QString(), QStringLiteral("Rossi Cambi")};
    m_dialoghi.annulla();
    {
        FSalva finestra(*m_ambiente);
        ASSERT_TRUE(finestra.prepara());
        EXPECT_EQ(controllo<QLabel>(finestra, "Label1")->text(),
                  QStringLiteral("CREA ARCHIVIO DI BACKUP"));
        EXPECT_EQ(controllo<QLabel>(finestra, "Label2")->text(), QStringLiteral("Rossi Cambi"));
        EXPECT_TRUE(controllo<QPushButton>(finestra, "Bconferma")->isHidden());
        EXPECT_EQ(controllo<QPushButton>(finestra, "bAnnulla")->text(), QStringLiteral("Chiudi"));
    }
    // Save into a folder that does not exist: the error, the window closes.
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("manca/a.ZFOAM")));
    {
        FSalva finestra(*m_ambiente);
        ASSERT_TRUE(finestra.prepara());
        controllo<QPushButton>(finestra, "Bconferma")->click();
        EXPECT_TRUE(m_messaggi.ultimo().testo.contains(QStringLiteral("a.ZFOAM")));
        EXPECT_EQ(finestra.result(), QDialog::Rejected);
    }

    // Restore of a file that is not an archive: the message, and the window never opens.
    m_ambiente->modoSalva = QStringLiteral("R");
    m_cartella.scrivi(QStringLiteral("lettera.ZFOAM"), "Gentile cliente,\r\n");
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("lettera.ZFOAM")));
    {
        FSalva finestra(*m_ambiente);
        EXPECT_EQ(finestra.mostra(), QDialog::Rejected);
        EXPECT_EQ(m_messaggi.ultimo().testo, Archivio::NonArchivio);
    }
    // Restore of an archive broken on its third line: the line named, nothing changed.
    m_cartella.scrivi(QStringLiteral("rotto.ZFOAM"), "\xA6"
                                                     "COPE\xA6" +
                                                         Codice.toLatin1() +
                                                         "\xA6"
                                                         "ALTRO NOME\r\n"
                                                         "\xA6"
                                                         "CTAB\xA6"
                                                         "NOTE\xA6" +
                                                         Codice.toLatin1() +
                                                         "\xA6"
                                                         "x\r\n"
                                                         "\xA6"
                                                         "CTAB\xA6"
                                                         "RIF\r\n");
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("rotto.ZFOAM")));
    FSalva finestra(*m_ambiente);
    ASSERT_TRUE(finestra.prepara());
    controllo<QPushButton>(finestra, "Bconferma")->click();
    EXPECT_EQ(finestra.result(), QDialog::Rejected);
    EXPECT_TRUE(m_messaggi.ultimo().testo.startsWith(QStringLiteral(" Errore: Riga 3")))
        << m_messaggi.ultimo().testo.toStdString();
    EXPECT_EQ(m_messaggi.ultimo().icona, Messaggi::Icona::Critica);
    EXPECT_EQ(ragioneSociale(), QStringLiteral("Rossi Cambi"));
}
