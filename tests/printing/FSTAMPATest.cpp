#include "printing/ui/FSTAMPA.h"

#include "TestoPdf.h"
#include "printing/ElenchiAnnuali.h"
#include "shell/Ambiente.h"
#include "storage/Transazione.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"
#include "support/ProvaDialoghi.h"
#include "support/ProvaDocumenti.h"
#include "support/ProvaMessaggi.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

const QString agenzia = QStringLiteral("RSSMRA80A01H501U");

class FSTAMPATest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        m_ambiente->agenziaCorrente.codice = agenzia;
        m_ambiente->agenziaCorrente.nome = QStringLiteral("CAMBI ROSSI SRL");
        nota("2016-03-04", "BIANCHI LUCA", "IMPORTO ERRATO");
        nota("2015-06-06", "FUORI ANNO", "NON IN ELENCO");
        apri();
    }

    void apri()
    {
        m_finestra = std::make_unique<FSTAMPA>(*m_ambiente, nullptr);
        m_finestra->show();
    }

    void nota(const char* data, const char* cliente, const char* motivo)
    {
        const auto fatto = m_ambiente->db().inserisci(
            QStringLiteral("CNOTEV"), {{QStringLiteral("OCOD"), agenzia},
                                       {QStringLiteral("ODATA"), QString::fromLatin1(data)},
                                       {QStringLiteral("ADES"), QString::fromLatin1(cliente)},
                                       {QStringLiteral("OCONTROVALORE"), 12.5},
                                       {QStringLiteral("OMOTIVO"), QString::fromLatin1(motivo)}});
        ASSERT_TRUE(fatto.ok()) << fatto.errore().toStdString();
    }

    template <typename T> T* figlio(const char* nome)
    {
        return m_finestra->findChild<T*>(QString::fromLatin1(nome));
    }
    void premi(const char* pulsante)
    {
        QTest::mouseClick(figlio<QPushButton>(pulsante), Qt::LeftButton);
    }
    QStringList pdfNellaCartella() const
    {
        return QDir(m_cartella.percorso())
            .entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files);
    }

    OrologioFisso m_oggi{QDate(2017, 5, 10)};
    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    ProvaMessaggi m_messaggi;
    ProvaDialoghi m_dialoghi;
    ProvaDocumenti m_documenti;
    std::unique_ptr<FSTAMPA> m_finestra;
};

} // namespace

TEST_F(FSTAMPATest, OpensOnLastYearWithNoOptionChosen)
{
    EXPECT_EQ(m_finestra->windowTitle(), QStringLiteral("Stampa tabulati"));
    ASSERT_TRUE(figlio<QLineEdit>("AA1") && figlio<QRadioButton>("SOPE") &&
                figlio<QRadioButton>("SNOTE"));
    EXPECT_EQ(figlio<QLineEdit>("AA1")->text(), QStringLiteral("2016"));
    EXPECT_FALSE(figlio<QRadioButton>("SOPE")->isChecked());
    EXPECT_FALSE(figlio<QRadioButton>("SNOTE")->isChecked());
    EXPECT_EQ(figlio<QLabel>("Label1")->text(), QStringLiteral("RSSMRA80A01H501U CAMBI ROSSI SRL"));
    EXPECT_EQ(figlio<QGroupBox>("TipoS")->title(), QStringLiteral("ZEFIRANTE - STAMPA ELENCO"));
    EXPECT_EQ(figlio<QLabel>("Label6")->text(), QStringLiteral("Anno di rifeirmento: "));
    EXPECT_EQ(figlio<QPushButton>("Preview")->text(), QStringLiteral("Anteprima"));
    EXPECT_EQ(figlio<QPushButton>("PDF")->text(), QStringLiteral("Crea PDF"));
}

TEST_F(FSTAMPATest, PreviewWithNoOptionShowsTheYearsVariationNotes)
{
    QString titolo;
    int pagine = -1;
    QTimer controllo;
    QObject::connect(&controllo, &QTimer::timeout, [&] {
        auto* anteprima = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!anteprima)
            return;
        titolo = anteprima->windowTitle();
        if (auto* vista = anteprima->findChild<QPrintPreviewWidget*>())
            pagine = vista->pageCount();
        anteprima->reject();
    });
    controllo.start(20);
    QTimer::singleShot(10000, [] { // never hang the suite if the preview does not open
        if (auto* modale = QApplication::activeModalWidget())
            modale->close();
    });
    premi("Preview");
    EXPECT_EQ(titolo,
              QStringLiteral("Anteprima - ZEFIRANTE - Elenco NOTE DI VARIAZIONE ANNO 2016"));
    EXPECT_EQ(pagine, 1);
    EXPECT_TRUE(m_messaggi.mostrati().isEmpty()) << m_messaggi.ultimo().testo.toStdString();
    EXPECT_EQ(m_finestra->sqlStampa(),
              ElenchiAnnuali::SqlStampa(ElenchiAnnuali::Elenco::NoteVariazione, agenzia,
                                        QStringLiteral("2016")));
    ASSERT_TRUE(m_finestra->rapporto().documento());
    EXPECT_EQ(m_finestra->rapporto().documento()->righe(), 1);
}

TEST_F(FSTAMPATest, CreaPdfProposesTheNameWritesAddsTheExtensionAndOpens)
{
    RICHIEDE_LETTORE_PDF();
    figlio<QRadioButton>("SNOTE")->setChecked(true);
    const QString scelto = m_cartella.file(QStringLiteral("note2016"));
    m_dialoghi.scegli(scelto);
    premi("PDF");
    ASSERT_EQ(m_dialoghi.richieste().size(), 1);
    const DialoghiFile::Richiesta& richiesta = m_dialoghi.richieste().first();
    EXPECT_TRUE(richiesta.salva);
    EXPECT_EQ(richiesta.nomeProposto, QStringLiteral("ZEFIRANTE_2016_RSSMRA80A01H501U_NOTEVAR"));
    EXPECT_EQ(richiesta.filtro, QStringLiteral("PDF Files (*.PDF)|*.PDF"));
    EXPECT_TRUE(m_messaggi.mostrati().isEmpty()) << m_messaggi.ultimo().testo.toStdString();
    EXPECT_EQ(m_documenti.aperti(), QStringList{scelto + QStringLiteral(".PDF")});
    const QString testo = paginePdf(scelto + QStringLiteral(".PDF")).value(0);
    EXPECT_TRUE(testo.contains(QStringLiteral("ZEFIRANTE - Elenco NOTE DI VARIAZIONE ANNO 2016")));
    EXPECT_TRUE(testo.contains(QStringLiteral("IMPORTO ERRATO")));
    EXPECT_FALSE(testo.contains(QStringLiteral("NON IN ELENCO")));

    figlio<QRadioButton>("SOPE")->setChecked(true);
    figlio<QLineEdit>("AA1")->setText(QStringLiteral("2015"));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("operazioni.pdf")));
    premi("PDF");
    ASSERT_EQ(m_dialoghi.richieste().size(), 2);
    EXPECT_EQ(m_dialoghi.richieste().last().nomeProposto,
              QStringLiteral("ZEFIRANTE_2015_RSSMRA80A01H501U_OPERAZIONI"));
    EXPECT_EQ(m_documenti.aperti().last(), m_cartella.file(QStringLiteral("operazioni.pdf")));
    EXPECT_TRUE(paginePdf(m_documenti.aperti().last())
                    .value(0)
                    .contains(QStringLiteral("OPERAZIONI ANNO 2015")));
}

TEST_F(FSTAMPATest, WithNoOptionTheDialogKeepsItsLastName)
{
    RICHIEDE_LETTORE_PDF();
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("primo.pdf")));
    m_dialoghi.annulla();
    premi("PDF");
    premi("PDF");
    ASSERT_EQ(m_dialoghi.richieste().size(), 2);
    EXPECT_EQ(m_dialoghi.richieste()[0].nomeProposto, QString());
    EXPECT_EQ(m_dialoghi.richieste()[1].nomeProposto, m_cartella.file(QStringLiteral("primo.pdf")));
    // No option: the notes.
    EXPECT_TRUE(paginePdf(m_cartella.file(QStringLiteral("primo.pdf")))
                    .value(0)
                    .contains(QStringLiteral("NOTE DI VARIAZIONE")));
}

TEST_F(FSTAMPATest, CancelledSaveWritesNothingAndSaysNothing)
{
    figlio<QRadioButton>("SOPE")->setChecked(true);
    m_dialoghi.annulla();
    premi("PDF");
    EXPECT_EQ(m_dialoghi.richieste().size(), 1);
    EXPECT_TRUE(m_messaggi.mostrati().isEmpty());
    EXPECT_TRUE(m_documenti.aperti().isEmpty());
    EXPECT_TRUE(pdfNellaCartella().isEmpty())
        << pdfNellaCartella().join(QLatin1Char(' ')).toStdString();
}

TEST_F(FSTAMPATest, YearNotOfFourDigitsIsToldBeforeAnythingElse)
{
    for (const char* anno : {"16", "2O16", ""}) {
        m_messaggi.azzera();
        figlio<QLineEdit>("AA1")->setText(QString::fromLatin1(anno));
        premi("PDF");
        premi("Preview"); // a preview would block here: the test would hang
        ASSERT_EQ(m_messaggi.mostrati().size(), 2) << anno;
        EXPECT_EQ(m_messaggi.mostrati()[0].testo, ElenchiAnnuali::messaggioAnnoNonValido);
        EXPECT_EQ(m_messaggi.mostrati()[1].testo, ElenchiAnnuali::messaggioAnnoNonValido);
    }
    EXPECT_TRUE(m_dialoghi.richieste().isEmpty());
}

TEST_F(FSTAMPATest, EngineErrorsShowTheirPrefixPathAndNumber)
{
    figlio<QRadioButton>("SOPE")->setChecked(true);
    const QString modello = m_cartella.file(QStringLiteral("stampe/SPM_LOP.rep"));
    ASSERT_TRUE(QFile::remove(modello));
    const QString atteso = QDir::toNativeSeparators(modello) +
                           QStringLiteral(" Errore: 1  Il modello ") +
                           QDir::toNativeSeparators(modello) + QStringLiteral(" non esiste.");

    premi("Preview");
    EXPECT_EQ(m_messaggi.ultimo().testo, QStringLiteral("Listato: ") + atteso);

    m_dialoghi.scegli(m_cartella.file(QStringLiteral("x.pdf")));
    premi("PDF");
    EXPECT_EQ(m_messaggi.ultimo().testo, QStringLiteral("Listato PDF: ") + atteso);
    EXPECT_TRUE(m_documenti.aperti().isEmpty());
    EXPECT_TRUE(pdfNellaCartella().isEmpty());
    EXPECT_TRUE(m_finestra->isVisible());
}

TEST_F(FSTAMPATest, ExistingPdfIsReplacedOnlyWhenConfirmed)
{
    m_cartella.scrivi(QStringLiteral("esiste.pdf"), "VECCHIO");
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("esiste.pdf")));
    premi("PDF"); // no answer queued: the default button, No
    EXPECT_TRUE(m_messaggi.ultimo().domanda);
    EXPECT_EQ(m_cartella.leggi(QStringLiteral("esiste.pdf")), QByteArray("VECCHIO"));
    EXPECT_TRUE(m_documenti.aperti().isEmpty());

    m_messaggi.rispondi(Messaggi::Risposta::Si);
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("esiste.pdf")));
    premi("PDF");
    EXPECT_TRUE(m_cartella.leggi(QStringLiteral("esiste.pdf")).startsWith("%PDF"));
    EXPECT_EQ(m_documenti.aperti().size(), 1);
}

TEST_F(FSTAMPATest, NoAgencyMeansNoList)
{
    m_ambiente->agenziaCorrente = {};
    apri();
    premi("PDF");
    EXPECT_TRUE(
        m_messaggi.ultimo().testo.startsWith(QStringLiteral("Nessuna agenzia selezionata")));
    EXPECT_TRUE(m_dialoghi.richieste().isEmpty());
}

TEST_F(FSTAMPATest, InterrompiStopsThePdfHalfWayAndLeavesTheOlderFile)
{
    {
        Transazione transazione(m_ambiente->db());
        for (int i = 0; i < 6000; ++i)
            nota("2016-05-05", "CLIENTE", "IMPORTO ERRATO");
        ASSERT_TRUE(transazione.conferma().ok());
    }
    m_cartella.scrivi(QStringLiteral("esiste.pdf"), "VECCHIO");
    const QStringList primaDellaCorsa = QDir(m_cartella.percorso()).entryList(QDir::Files);

    // Once the bar counts pages, the clerk tries to close the window, then stops the run.
    int fatte = -1, totale = -1;
    bool chiusa = true, comandiAttivi = true;
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* barra = figlio<QProgressBar>("Avanzamento");
        if (!barra->isVisible() || barra->value() < 1)
            return;
        attesa.stop();
        fatte = barra->value();
        totale = barra->maximum();
        chiusa = m_finestra->close();
        QTest::keyClick(m_finestra.get(), Qt::Key_Escape);
        comandiAttivi = figlio<QPushButton>("PDF")->isEnabled() ||
                        figlio<QPushButton>("Preview")->isEnabled();
        QTest::mouseClick(figlio<QPushButton>("Interrompi"), Qt::LeftButton);
    });
    attesa.start(1);
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("esiste.pdf")));
    m_messaggi.rispondi(Messaggi::Risposta::Si); // replace the older file
    premi("PDF");
    EXPECT_GE(fatte, 1);
    EXPECT_LT(fatte, totale);
    EXPECT_FALSE(chiusa);
    EXPECT_TRUE(m_finestra->isVisible());
    EXPECT_FALSE(comandiAttivi);
    EXPECT_EQ(m_messaggi.ultimo().testo,
              QStringLiteral("Creazione interrotta: nessun file scritto."));
    EXPECT_EQ(m_messaggi.ultimo().icona, Messaggi::Icona::Informazione);
    EXPECT_EQ(m_cartella.leggi(QStringLiteral("esiste.pdf")), QByteArray("VECCHIO"));
    EXPECT_EQ(QDir(m_cartella.percorso()).entryList(QDir::Files), primaDellaCorsa);
    EXPECT_TRUE(m_documenti.aperti().isEmpty());
    EXPECT_FALSE(figlio<QProgressBar>("Avanzamento")->isVisible());
    EXPECT_TRUE(figlio<QPushButton>("PDF")->isEnabled());

    // The next run is not stopped by the last one's Interrompi, and writes every page it counted.
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("esiste.pdf")));
    m_messaggi.rispondi(Messaggi::Risposta::Si);
    premi("PDF");
    EXPECT_EQ(m_documenti.aperti().size(), 1);
    EXPECT_TRUE(m_cartella.leggi(QStringLiteral("esiste.pdf")).startsWith("%PDF"));
    if (lettorePdfPresente()) {
        EXPECT_EQ(pagineDichiarate(m_cartella.file(QStringLiteral("esiste.pdf"))), totale);
    }
    EXPECT_TRUE(m_finestra->close());
}
