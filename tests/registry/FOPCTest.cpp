#include "registry/ui/FOPC.h"

#include "cli/Cli.h"
#include "common/ui/SegnalaErrore.h"
#include "communication/LeggiFoglio.h"
#include "communication/ui/FRapporto.h"
#include "history/StoricoInvii.h"
#include "registry/ArchivioAgenzie.h"
#include "support/CartellaProva.h"
#include "support/MentreAperta.h"
#include "support/OrologioFisso.h"
#include "support/ProvaDialoghi.h"
#include "support/ProvaDocumenti.h"
#include "support/ProvaMessaggi.h"
#include "support/RigaValida.h"
#include "xlsx/ScriviXlsx.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <gtest/gtest.h>
#include <optional>

namespace {

class FOPCTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
    }

    void apri()
    {
        m_finestra = std::make_unique<FOPC>(*m_ambiente);
        m_finestra->resize(1200, 700);
        m_finestra->show();
        // Focus changes (and the work done when a field is left) need an active window.
        QApplication::setActiveWindow(m_finestra.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_finestra.get()));
    }

    template <typename T = QLineEdit> T* w(const char* nome) const
    {
        T* trovato = m_finestra->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_TRUE(trovato) << nome;
        return trovato;
    }

    void scrivi(const char* nome, const QString& testo) { w(nome)->setText(testo); }

    void registra() { QTest::mouseClick(w<QPushButton>("Cmd_Conferma"), Qt::LeftButton); }

    void nuovaSocieta(const QString& codice, const QString& ragione)
    {
        m_finestra->Aggiungi();
        scrivi("tOCOD", codice);
        scrivi("vOCF", codice);
        scrivi("torag", ragione);
        scrivi("vOSCOM", QStringLiteral("ROMA"));
        scrivi("vOSPRO", QStringLiteral("RM"));
        registra();
    }

    QStringList elenco() const
    {
        QStringList righe;
        const QTreeWidget* lista = w<QTreeWidget>("LVOpe");
        for (int i = 0; i < lista->topLevelItemCount(); ++i)
            righe << lista->topLevelItem(i)->text(1) + QLatin1Char('|') +
                         lista->topLevelItem(i)->text(2);
        return righe;
    }

    QByteArray leggi(const QString& percorso) const
    {
        QFile f(percorso);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The history of the sent communications of the agency, newest first.
    QList<StoricoInvii::Invio> storico(const QString& codice = QStringLiteral("01234567890"))
    {
        auto invii = StoricoInvii::elenco(m_ambiente->db(), codice);
        EXPECT_TRUE(invii) << invii.errore().toStdString();
        return invii ? invii.valore() : QList<StoricoInvii::Invio>();
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    ProvaMessaggi m_messaggi;
    ProvaDialoghi m_dialoghi;
    ProvaDocumenti m_documenti;
    std::unique_ptr<FOPC> m_finestra;
};

} // namespace

TEST_F(FOPCTest, AnEmptyRegistryOpensANewAgencyWithLastMonth)
{
    OrologioFisso gennaio(QDate(2018, 1, 10));
    apri();
    EXPECT_EQ(m_ambiente->formAttivo, QStringLiteral("FOPC"));
    EXPECT_EQ(w<QTreeWidget>("LVOpe")->topLevelItemCount(), 0);
    EXPECT_TRUE(w("tOCOD")->isEnabled());
    EXPECT_TRUE(w<QRadioButton>("o1")->isChecked());
    EXPECT_EQ(w("vANNO")->text(), QStringLiteral("2017"));
    EXPECT_EQ(w("vMESE")->text(), QStringLiteral("12"));
    EXPECT_EQ(w<QComboBox>("CmbTI")->currentText(), QStringLiteral("0=INVIO ORDINARIO "));
    EXPECT_TRUE(m_ambiente->agenziaCorrente.codice.isEmpty());
}

TEST_F(FOPCTest, ANewCompanyIsSavedNormalisedAndListed)
{
    apri();
    m_finestra->Aggiungi();
    scrivi("tOCOD", QStringLiteral("  01234567890"));
    w("tOCOD")->setFocus();
    w("vOPIVA")->setFocus(); // leaving the code copies it into the hidden mirror
    EXPECT_EQ(w("vOCF")->text(), QStringLiteral("  01234567890"));
    scrivi("torag", QStringLiteral("  rossi cambi srl  "));
    scrivi("vOSCOM", QStringLiteral("  roma"));
    scrivi("vOSPRO", QStringLiteral("rm"));
    registra();
    ASSERT_TRUE(m_messaggi.mostrati().isEmpty()) << m_messaggi.ultimo().testo.toStdString();
    EXPECT_EQ(elenco(), QStringList{QStringLiteral("01234567890|ROSSI CAMBI SRL  ")});
    EXPECT_FALSE(w("tOCOD")->isEnabled());
    EXPECT_EQ(m_ambiente->agenziaCorrente.codice, QStringLiteral("01234567890"));
    EXPECT_EQ(m_ambiente->agenziaCorrente.nome, QStringLiteral("ROSSI CAMBI SRL"));
    const auto salvata = ArchivioAgenzie::carica(m_ambiente->db(), QStringLiteral("01234567890"));
    ASSERT_TRUE(salvata.ok() && salvata.valore());
    EXPECT_EQ(salvata.valore()->ocf, QStringLiteral("01234567890"));
    EXPECT_EQ(salvata.valore()->oscom, QStringLiteral("ROMA"));
}

TEST_F(FOPCTest, APersonIsListedBySurnameAndName)
{
    apri();
    m_finestra->Aggiungi();
    scrivi("tOCOD", QStringLiteral("RSSMRA80A01H501U"));
    scrivi("vOCF", QStringLiteral("RSSMRA80A01H501U"));
    w<QRadioButton>("o2")->setChecked(true);
    EXPECT_TRUE(w("vOCOG")->isVisibleTo(m_finestra.get()));
    EXPECT_FALSE(w("torag")->isVisibleTo(m_finestra.get()));
    scrivi("vOCOG", QStringLiteral("  rossi"));
    scrivi("vONOME", QStringLiteral("mario"));
    scrivi("vONDT", QStringLiteral("01/01/1980"));
    scrivi("vONCOM", QStringLiteral("ROMA"));
    scrivi("vONPRO", QStringLiteral("RM"));
    scrivi("vODCOM", QStringLiteral("MILANO"));
    scrivi("vODPRO", QStringLiteral("MI"));
    registra();
    ASSERT_TRUE(m_messaggi.mostrati().isEmpty()) << m_messaggi.ultimo().testo.toStdString();
    EXPECT_EQ(elenco(), QStringList{QStringLiteral("RSSMRA80A01H501U|ROSSI MARIO")});
    EXPECT_TRUE(w<QRadioButton>("o2")->isChecked());
    EXPECT_EQ(w("torag")->text(), QStringLiteral("ROSSI MARIO"));
    EXPECT_EQ(m_ambiente->agenziaCorrente.nome, QStringLiteral("ROSSI MARIO"));
}

TEST_F(FOPCTest, ChecksPointAtTheFirstMissingFieldInOrder)
{
    apri();
    m_finestra->Aggiungi();
    registra();
    EXPECT_EQ(m_messaggi.ultimo().titolo, QStringLiteral("Errore"));
    EXPECT_EQ(m_messaggi.ultimo().testo, MessaggioCentrato(QStringLiteral("Campo Obbligatorio")));
    // The hidden mirror takes the code when the code field is left.
    w("vOPIVA")->setFocus();
    scrivi("tOCOD", QStringLiteral("X"));
    registra();
    EXPECT_EQ(m_messaggi.ultimo().testo,
              MessaggioCentrato(QStringLiteral("Codice Fiscale obbligatorio.")));
    w("tOCOD")->setFocus();
    registra();
    EXPECT_EQ(w("vOCF")->text(), QStringLiteral("X"));
    EXPECT_EQ(m_messaggi.ultimo().testo,
              MessaggioCentrato(QStringLiteral("Ragione Sociale Soggetto - campo non valido.")));
    w<QRadioButton>("o2")->setChecked(true);
    scrivi("vOCOG", QStringLiteral("ROSSI"));
    scrivi("vONOME", QStringLiteral("MARIO"));
    registra();
    EXPECT_EQ(m_messaggi.ultimo().testo, MessaggioCentrato(QStringLiteral("Campo Obbligatorio")));
    EXPECT_TRUE(w("vONDT")->hasFocus());
    EXPECT_EQ(w<QTreeWidget>("LVOpe")->topLevelItemCount(), 0); // nothing saved
}

TEST_F(FOPCTest, DeletingAsksFirstAndArrowKeysWalkTheList)
{
    apri();
    nuovaSocieta(QStringLiteral("AAA"), QStringLiteral("ALFA CAMBI"));
    nuovaSocieta(QStringLiteral("BBB"), QStringLiteral("BETA CAMBI"));
    nuovaSocieta(QStringLiteral("CCC"), QStringLiteral("GAMMA CAMBI"));
    ASSERT_EQ(elenco().size(), 3);

    auto* lista = w<QTreeWidget>("LVOpe");
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {},
                      lista->visualItemRect(lista->topLevelItem(0)).center());
    EXPECT_EQ(w("tOCOD")->text(), QStringLiteral("AAA"));
    QTest::keyClick(lista, Qt::Key_Down);
    EXPECT_EQ(w("tOCOD")->text(), QStringLiteral("BBB"));
    QTest::keyClick(lista, Qt::Key_Down);
    EXPECT_EQ(w("tOCOD")->text(), QStringLiteral("CCC"));
    QTest::keyClick(lista, Qt::Key_Up);
    EXPECT_EQ(w("torag")->text(), QStringLiteral("BETA CAMBI"));

    m_messaggi.rispondi(Messaggi::Risposta::No);
    m_finestra->Elimina();
    EXPECT_EQ(m_messaggi.ultimo().testo,
              QStringLiteral("Confermi l'Eliminazione dell'Agenzia  BETA CAMBI?"));
    EXPECT_EQ(m_messaggi.ultimo().predefinita, Messaggi::Risposta::No);
    EXPECT_EQ(elenco().size(), 3);
    m_messaggi.rispondi(Messaggi::Risposta::Si);
    m_finestra->Elimina();
    EXPECT_EQ(elenco(),
              (QStringList{QStringLiteral("AAA|ALFA CAMBI"), QStringLiteral("CCC|GAMMA CAMBI")}));
    EXPECT_EQ(w("tOCOD")->text(), QStringLiteral("AAA"));
}

TEST_F(FOPCTest, TheCommunicationFromCsvAndXlsxMatchesTheCommandLine)
{
    OrologioFisso settembre(QDate(2017, 10, 5));
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));

    QByteArray csv = "intestazione\r\nintestazione\r\n";
    for (const QString& cognome : {QStringLiteral("Rossi"), QStringLiteral("Bianchi")}) {
        QStringList riga = RigaValida::con(0, cognome);
        riga[21] = cognome; // transaction identifiers of their own: no advice
        csv += RigaValida::lineaCsv(riga);
    }
    m_cartella.scrivi(QStringLiteral("foglio.csv"), csv);
    const QString daFinestra = m_cartella.file(QStringLiteral("finestra.txt"));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("foglio.csv")));
    m_dialoghi.scegli(daFinestra);
    MentreAperta fcsv([](QDialog* d) {
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    });
    QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    ASSERT_EQ(m_dialoghi.richieste().size(), 2);
    EXPECT_EQ(m_dialoghi.richieste().at(1).nomeProposto,
              QStringLiteral("COAM_201709_ROSSICAMBI.TXT"));
    EXPECT_EQ(m_messaggi.ultimo().testo, QStringLiteral("Comunicazione \r\n") +
                                             QDir::toNativeSeparators(daFinestra) +
                                             QStringLiteral("\r\ncreata con successo. "));

    QString out, err;
    QTextStream so(&out), se(&err);
    const QString daRiga = m_cartella.file(QStringLiteral("riga.txt"));
    ASSERT_EQ(eseguiCli({QStringLiteral("--cartella"), m_cartella.percorso(),
                         QStringLiteral("comunicazione"), QStringLiteral("--agenzia"),
                         QStringLiteral("01234567890"), QStringLiteral("--anno"),
                         QStringLiteral("2017"), QStringLiteral("--mese"), QStringLiteral("09"),
                         QStringLiteral("--foglio"), m_cartella.file(QStringLiteral("foglio.csv")),
                         QStringLiteral("--output"), daRiga},
                        so, se, QString()),
              0)
        << err.toStdString();
    EXPECT_EQ(leggi(daFinestra).size(), 4 * 450);
    EXPECT_EQ(leggi(daFinestra), leggi(daRiga));

    // The same rows from a workbook give the same records.
    QByteArray righe;
    int r = 3;
    for (const QString& cognome : {QStringLiteral("Rossi"), QStringLiteral("Bianchi")}) {
        QByteArray celle;
        QStringList valori = RigaValida::con(0, cognome);
        valori[21] = cognome;
        for (int c = 0; c < valori.size(); ++c) // columns A..V
            celle += ScriviXlsx::testo(ScriviXlsx::lettere(c) + QByteArray::number(r), valori[c]);
        righe += ScriviXlsx::riga(r++, celle);
    }
    ASSERT_TRUE(ScriviXlsx::crea(m_cartella.file(QStringLiteral("foglio.xlsx")), righe));
    const QString daExcel = m_cartella.file(QStringLiteral("excel.txt"));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("foglio.xlsx")));
    m_dialoghi.scegli(daExcel);
    QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    EXPECT_EQ(m_messaggi.ultimo().icona, Messaggi::Icona::Informazione);
    EXPECT_EQ(leggi(daExcel), leggi(daRiga));

    // Each of the three runs is in the history, from the window and from the command line.
    const auto invii = storico();
    ASSERT_EQ(invii.size(), 3);
    EXPECT_EQ(invii.first().percorso, daExcel);
    EXPECT_EQ(invii.last().percorso, daFinestra);
    EXPECT_EQ(invii.at(1).percorso, QFileInfo(daRiga).absoluteFilePath());
    for (const auto& invio : invii) {
        EXPECT_EQ(invio.anno * 100 + invio.mese, 201709);
        EXPECT_EQ(invio.tipo, StoricoInvii::Tipo::ordinaria);
        EXPECT_EQ(invio.recordB, 2);
        EXPECT_EQ(StoricoInvii::verifica(invio), StoricoInvii::Verifica::integro);
    }
}

TEST_F(FOPCTest, DialogsStartInTheAgencysLastFoldersAndADroppedSheetRunsTheCommand)
{
    OrologioFisso ottobre(QDate(2017, 10, 5));
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));
    ASSERT_TRUE(QDir(m_cartella.percorso()).mkpath(QStringLiteral("fogli")));
    ASSERT_TRUE(QDir(m_cartella.percorso()).mkpath(QStringLiteral("invii")));
    const auto foglio = [this](const QString& nome) {
        QByteArray celle;
        const QStringList valori = RigaValida::valori();
        for (int c = 0; c < valori.size(); ++c)
            celle += ScriviXlsx::testo(ScriviXlsx::lettere(c) + QByteArray("3"), valori[c]);
        const QString file = m_cartella.file(QStringLiteral("fogli/") + nome);
        EXPECT_TRUE(ScriviXlsx::crea(file, ScriviXlsx::riga(3, celle)));
        return file;
    };
    const QString invii = QDir(m_cartella.percorso()).filePath(QStringLiteral("invii"));
    const QString proposto = QStringLiteral("COAM_201709_ROSSICAMBI.TXT");

    m_dialoghi.scegli(foglio(QStringLiteral("agosto.xlsx")));
    m_dialoghi.scegli(QDir(invii).filePath(QStringLiteral("agosto.txt")));
    QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    ASSERT_EQ(m_dialoghi.richieste().size(), 2);
    EXPECT_EQ(m_dialoghi.richieste().at(1).nomeProposto, proposto); // nothing remembered yet

    // Dropped: no open dialog, the save dialog in the folder of the last communication.
    QMimeData dati;
    dati.setUrls({QUrl::fromLocalFile(foglio(QStringLiteral("settembre.xlsx")))});
    QDragEnterEvent entra(QPoint(10, 10), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_finestra.get(), &entra);
    EXPECT_TRUE(entra.isAccepted());
    m_dialoghi.scegli(QDir(invii).filePath(QStringLiteral("settembre.txt")));
    QDropEvent lascia(QPointF(10, 10), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_finestra.get(), &lascia);
    QTRY_COMPARE_WITH_TIMEOUT(m_dialoghi.richieste().size(), 3, 5000);
    EXPECT_EQ(m_dialoghi.richieste().at(2).nomeProposto, QDir(invii).filePath(proposto));
    EXPECT_EQ(leggi(QDir(invii).filePath(QStringLiteral("settembre.txt"))).size(), 3 * 450);

    // The next sheet is looked for where the last one was; another kind of file is not taken.
    m_dialoghi.annulla();
    QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    EXPECT_EQ(m_dialoghi.richieste().at(3).nomeProposto,
              QDir(m_cartella.percorso()).filePath(QStringLiteral("fogli")));
    dati.setUrls({QUrl::fromLocalFile(m_cartella.file(QStringLiteral("ERRORE_IMPORT.TXT")))});
    QDragEnterEvent altro(QPoint(10, 10), Qt::CopyAction, &dati, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_finestra.get(), &altro);
    EXPECT_FALSE(altro.isAccepted());
}

TEST_F(FOPCTest, WithoutAProgramForTheReportItsLinesShowInAWindow)
{
    OrologioFisso ottobre(QDate(2017, 10, 5)); // the rows' month: no advice
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));
    QByteArray righe;
    int r = 3;
    for (const QStringList& valori :
         {RigaValida::con(0, QStringLiteral("ROSSI")), RigaValida::con(17, QStringLiteral("ZZZ")),
          RigaValida::con(0, QStringLiteral("VERDI"))}) {
        QStringList riga = valori;
        if (r != 4)
            riga[10] = QString(); // no document number
        riga[21] = QString::number(r); // transaction identifiers of their own
        QByteArray celle;
        for (int c = 0; c < riga.size(); ++c)
            celle += ScriviXlsx::testo(ScriviXlsx::lettere(c) + QByteArray::number(r), riga[c]);
        righe += ScriviXlsx::riga(r++, celle);
    }
    ASSERT_TRUE(ScriviXlsx::crea(m_cartella.file(QStringLiteral("mese.xlsx")), righe));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("mese.xlsx")));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("out.txt")));
    m_documenti.nessunProgramma();
    QStringList righeMostrate, filtrate;
    // The window opens after the run, whose repaints would meet a one-shot helper first.
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* rapporto = qobject_cast<FRapporto*>(QApplication::activeModalWidget());
        if (!rapporto)
            return;
        attesa.stop();
        QDialog* d = rapporto;
        righeMostrate = rapporto->testoVisibile().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        d->findChild<QLineEdit*>(QStringLiteral("Filtro"))->setText(QStringLiteral("verdi"));
        filtrate = rapporto->testoVisibile().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("ApriCartella")),
                          Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Chiudi")), Qt::LeftButton);
    });
    attesa.start(20);
    QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    EXPECT_FALSE(attesa.isActive()); // the window was shown and closed
    ASSERT_EQ(righeMostrate.size(), 4) << righeMostrate.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(righeMostrate[0], QStringLiteral("Riga\tCampo\tValore errato\tSoggetto"));
    EXPECT_TRUE(righeMostrate[1].startsWith(QStringLiteral("3\tB13 (NUMERO DOCUMENTO)\t\tROSSI ")));
    EXPECT_TRUE(
        righeMostrate[2].startsWith(QStringLiteral("4\tB20 (DIVISA ESTERA) CODICE ERRATO\tZZZ\t")));
    ASSERT_EQ(filtrate.size(), 2);
    EXPECT_TRUE(filtrate[1].startsWith(QStringLiteral("5\t"))) << filtrate[1].toStdString();
    EXPECT_EQ(m_documenti.aperti(),
              (QStringList{m_cartella.file(QStringLiteral("ERRORE_IMPORT.TXT")),
                           QDir(m_cartella.percorso()).absolutePath()}));
}

TEST_F(FOPCTest, InterrompiStopsARunHalfWayAndLeavesTheOlderFiles)
{
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));
    QByteArray csv;
    const QByteArray riga = RigaValida::lineaCsv(RigaValida::valori());
    for (int i = 0; i < 100000; ++i)
        csv += riga;
    m_cartella.scrivi(QStringLiteral("mese.csv"), csv);
    m_cartella.scrivi(QStringLiteral("out.txt"), "comunicazione precedente\r\n");
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("mese.csv")));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("out.txt")));
    m_messaggi.rispondi(Messaggi::Risposta::Si); // overwrite the older file

    // As soon as the bar shows a share of the file read, the clerk stops the run.
    int quota = -1;
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* barra = w<QProgressBar>("Avanzamento");
        if (!barra->isVisible() || barra->maximum() == 0)
            return;
        attesa.stop();
        quota = barra->value();
        QTest::mouseClick(w<QPushButton>("Interrompi"), Qt::LeftButton);
    });
    MentreAperta fcsv([&](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("vPRD"))->setText(QStringLiteral("1"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        attesa.start(1);
    });
    QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    EXPECT_GE(quota, 0);
    EXPECT_LT(quota, 1000);
    EXPECT_EQ(m_messaggi.ultimo().testo, kMessaggioInterrotta);
    EXPECT_EQ(m_cartella.leggi(QStringLiteral("out.txt")), "comunicazione precedente\r\n");
    EXPECT_FALSE(QFile::exists(m_cartella.file(QStringLiteral("ERRORE_IMPORT.TXT"))));
    EXPECT_TRUE(storico().isEmpty());
    EXPECT_FALSE(w<QProgressBar>("Avanzamento")->isVisible());
    EXPECT_TRUE(w<QPushButton>("ElaExcel")->isEnabled());
}

TEST_F(FOPCTest, ErrorsInTheSheetOpenTheReport)
{
    OrologioFisso ottobre(QDate(2017, 10, 5)); // the row's month: no advice
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));
    m_cartella.scrivi(QStringLiteral("dati.csv"),
                      RigaValida::lineaCsv(RigaValida::con(17, QStringLiteral("ZZZ"))));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("dati.csv")));
    m_dialoghi.scegli(m_cartella.file(QStringLiteral("out.txt")));
    // While the run repaints, its commands wait and the window cannot be closed.
    bool occupata = false, pulsanteAttivo = true, chiusa = true;
    MentreAperta fcsv([&](QDialog* d) {
        d->findChild<QLineEdit*>(QStringLiteral("vPRD"))->setText(QStringLiteral("1"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        QTimer::singleShot(0, [&] {
            occupata = m_finestra->occupato();
            pulsanteAttivo = w<QPushButton>("ElaExcel")->isEnabled();
            chiusa = m_finestra->close();
        });
    });
    m_finestra->ElaExcel();
    EXPECT_TRUE(occupata);
    EXPECT_FALSE(pulsanteAttivo);
    EXPECT_FALSE(chiusa);
    EXPECT_EQ(m_messaggi.ultimo().icona, Messaggi::Icona::Critica);
    EXPECT_TRUE(m_messaggi.ultimo().testo.contains(QStringLiteral("creata CON ERRORI. ")));
    EXPECT_EQ(m_documenti.aperti(),
              QStringList{m_cartella.file(QStringLiteral("ERRORE_IMPORT.TXT"))});
    EXPECT_TRUE(
        m_cartella.leggi(QStringLiteral("ERRORE_IMPORT.TXT")).contains("B20 (DIVISA ESTERA) "));
    ASSERT_EQ(storico().size(), 1);
    EXPECT_EQ(storico().first().righeErrori, 1);
    EXPECT_FALSE(m_finestra->occupato());
    EXPECT_TRUE(w<QPushButton>("ElaExcel")->isEnabled());
}

TEST_F(FOPCTest, TheEmptyCommunicationIsAlwaysOrdinary)
{
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));
    w<QComboBox>("CmbTI")->setCurrentIndex(1);
    scrivi("vANNO", QStringLiteral("2017"));
    scrivi("vMESE", QStringLiteral("09"));
    const QString file = m_cartella.file(QStringLiteral("vuota.txt"));
    m_messaggi.rispondi(Messaggi::Risposta::Si);
    m_dialoghi.scegli(file);
    m_finestra->cVUOTA();
    EXPECT_EQ(m_messaggi.mostrati().first().testo,
              QStringLiteral(
                  "Confermi la creazione di una comunicazione vuota \r\nper il periodo 2017/09?"));
    ASSERT_EQ(m_dialoghi.richieste().size(), 1);
    EXPECT_EQ(m_dialoghi.richieste().first().nomeProposto,
              QStringLiteral("COAM_201709_ROSSICAMBI-VUOTA.TXT"));
    const QByteArray byte = leggi(file);
    ASSERT_EQ(byte.size(), 900);
    EXPECT_EQ(byte.at(12), '0');
    EXPECT_EQ(byte.mid(447, 4), QByteArray("A\r\nZ"));
    ASSERT_EQ(storico().size(), 1);
    EXPECT_EQ(storico().first().tipo, StoricoInvii::Tipo::vuota);

    // No to the question writes nothing and opens no dialog.
    m_messaggi.rispondi(Messaggi::Risposta::No);
    m_finestra->cVUOTA();
    EXPECT_EQ(m_dialoghi.richieste().size(), 1);
}

TEST_F(FOPCTest, AdviceIsCountedInTheMessageAndShownInTheReportWindow)
{
    OrologioFisso ottobre(QDate(2017, 10, 5));
    apri();
    nuovaSocieta(QStringLiteral("01234567890"), QStringLiteral("ROSSI CAMBI SRL"));
    const QByteArray ripetuta = RigaValida::lineaCsv(RigaValida::valori()); // B24 "T1" twice
    const auto esegui = [&](const QByteArray& csv) {
        m_cartella.scrivi(QStringLiteral("mese.csv"), "X\r\nY\r\n" + csv);
        m_dialoghi.scegli(m_cartella.file(QStringLiteral("mese.csv")));
        m_dialoghi.scegli(m_cartella.file(QStringLiteral("out.txt")));
        MentreAperta fcsv([](QDialog* d) {
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        QTest::mouseClick(w<QPushButton>("ElaExcel"), Qt::LeftButton);
    };

    m_messaggi.rispondi(Messaggi::Risposta::No); // not now
    esegui(ripetuta + ripetuta);
    EXPECT_TRUE(m_messaggi.ultimo().domanda);
    EXPECT_EQ(m_messaggi.ultimo().testo,
              QStringLiteral("Comunicazione \r\n") +
                  QDir::toNativeSeparators(m_cartella.file(QStringLiteral("out.txt"))) +
                  QStringLiteral("\r\ncreata con successo. e 1 avvisi\r\n \r\n"
                                 "Visualizzare gli AVVISI?"));

    // With errors, the program's report window leads on to the advice.
    QString errori, avvisi;
    std::optional<MentreAperta> finestraAvvisi;
    QTimer attesa;
    QObject::connect(&attesa, &QTimer::timeout, [&] {
        auto* rapporto = qobject_cast<FRapporto*>(QApplication::activeModalWidget());
        if (!rapporto)
            return;
        attesa.stop();
        errori = rapporto->testoVisibile();
        finestraAvvisi.emplace([&](QDialog* d) {
            avvisi = qobject_cast<FRapporto*>(d)->testoVisibile();
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Chiudi")), Qt::LeftButton);
        });
        QTest::mouseClick(rapporto->findChild<QPushButton*>(QStringLiteral("Avvisi")),
                          Qt::LeftButton);
        QTest::mouseClick(rapporto->findChild<QPushButton*>(QStringLiteral("Chiudi")),
                          Qt::LeftButton);
    });
    attesa.start(20);
    QStringList divisaErrata = RigaValida::con(17, QStringLiteral("ZZZ"));
    divisaErrata[21] = QStringLiteral("T2");
    m_messaggi.rispondi(Messaggi::Risposta::Si); // overwrite the older file
    esegui(ripetuta + ripetuta + RigaValida::lineaCsv(divisaErrata));
    EXPECT_TRUE(
        m_messaggi.ultimo().testo.contains(QStringLiteral("creata CON ERRORI. e 1 avvisi")));
    EXPECT_TRUE(errori.contains(QStringLiteral("B20 (DIVISA ESTERA)"))) << errori.toStdString();
    EXPECT_EQ(avvisi.split(QLatin1Char('\n'), Qt::SkipEmptyParts),
              (QStringList{QStringLiteral("Riga\tCampo\tValore\tMotivo\tSoggetto"),
                           QStringLiteral("4\tB24 (IDENTIFICATIVO TRANSAZIONE)\tT1\t"
                                          "identificativo già usato alla riga 3\tROSSI MARIO")}));
    EXPECT_TRUE(m_documenti.aperti().isEmpty());
}
