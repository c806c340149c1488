#include "common/ui/FTAB.h"

#include "common/ui/StatoListe.h"
#include "support/CartellaProva.h"
#include "support/MentreAperta.h"
#include "support/ProvaMessaggi.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QTreeWidget* listaDi(QDialog* f)
{
    return f->findChild<QTreeWidget*>(QStringLiteral("ListV"));
}

QLineEdit* campoDi(QDialog* f, const char* nome)
{
    return f->findChild<QLineEdit*>(QString::fromLatin1(nome));
}

QPushButton* pulsanteDi(QDialog* f, const char* nome)
{
    return f->findChild<QPushButton*>(QString::fromLatin1(nome));
}

QTreeWidgetItem* rigaCon(QTreeWidget* lista, int colonna, const QString& testo)
{
    for (int r = 0; r < lista->topLevelItemCount(); ++r)
        if (lista->topLevelItem(r)->text(colonna) == testo)
            return lista->topLevelItem(r);
    return nullptr;
}

// A double click as the platform delivers it: a click, then the second
// press that arrives as a double click.
void doppioClic(QTreeWidget* lista, QTreeWidgetItem* riga)
{
    lista->scrollToItem(riga);
    const QPoint punto = lista->visualItemRect(riga).center();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, punto);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, punto);
}

class FTABTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        m_primo.setText(QStringLiteral("ROMA"));
        m_secondo.setText(QStringLiteral("XX"));
    }

    int conta(const QString& sql)
    {
        auto q = m_ambiente->db().esegui(sql);
        EXPECT_TRUE(q.ok());
        return q.ok() && q.valore().next() ? q.valore().value(0).toInt() : -1;
    }

    void apri(const QString& tipo, const QString& codiceAgenzia = QString())
    {
        ContestoRicerca contesto{m_ambiente->db(), m_liste, codiceAgenzia};
        ApriRicerca(&m_primo, &m_secondo, tipo, contesto, nullptr);
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    StatoListe m_liste;
    QLineEdit m_primo;
    QLineEdit m_secondo;
};

} // namespace

TEST_F(FTABTest, MunicipalitiesOpenWholeWithTheNameWaitingForCerca)
{
    const int tutti = conta(QStringLiteral("SELECT COUNT(*) FROM T_COMUNI"));
    const int conRoma = conta(QStringLiteral("SELECT COUNT(*) FROM T_COMUNI WHERE COMUNE LIKE "
                                             "'%roma%' OR PRO LIKE '%roma%' OR CAB LIKE '%roma%'"));
    ASSERT_GT(conRoma, 1);
    int righeAperta = -1, righeCercate = -1, righeCercaVuoto = -1, righeReset = -1;
    QString titolo, ricercaIniziale, ricercaDopoReset;
    bool tutteConRoma = true;
    MentreAperta utente([&](QDialog* f) {
        EXPECT_EQ(f->objectName(), QStringLiteral("FTAB"));
        EXPECT_EQ(f->windowTitle(), QStringLiteral("Ricerca Tabelle"));
        QTreeWidget* lista = listaDi(f);
        titolo = campoDi(f, "vtabella")->text();
        ricercaIniziale = campoDi(f, "ricerca")->text();
        righeAperta = lista->topLevelItemCount();

        QTest::mouseClick(pulsanteDi(f, "BCerca"), Qt::LeftButton);
        righeCercate = lista->topLevelItemCount();
        for (int r = 0; r < lista->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* riga = lista->topLevelItem(r);
            tutteConRoma &=
                (riga->text(1) + riga->text(2) + riga->text(3)).contains(QStringLiteral("ROMA"));
        }
        // "Cerca" with an empty box changes nothing; "Reset" shows all again.
        campoDi(f, "ricerca")->clear();
        QTest::mouseClick(pulsanteDi(f, "BCerca"), Qt::LeftButton);
        righeCercaVuoto = lista->topLevelItemCount();
        campoDi(f, "ricerca")->setText(QStringLiteral("roma"));
        QTest::mouseClick(pulsanteDi(f, "BAnnullaCerca"), Qt::LeftButton);
        righeReset = lista->topLevelItemCount();
        ricercaDopoReset = campoDi(f, "ricerca")->text();

        QTest::keyClicks(campoDi(f, "ricerca"), QStringLiteral("roma"));
        QTest::mouseClick(pulsanteDi(f, "BCerca"), Qt::LeftButton);
        QTreeWidgetItem* roma = rigaCon(lista, 1, QStringLiteral("ROMA"));
        ASSERT_NE(roma, nullptr);
        doppioClic(lista, roma);
    });
    apri(QStringLiteral("COMUN"));
    ASSERT_TRUE(utente.aperta());
    EXPECT_EQ(titolo, QStringLiteral(" Elenco Comuni"));
    EXPECT_EQ(ricercaIniziale, QStringLiteral("ROMA"));
    EXPECT_EQ(righeAperta, tutti);
    EXPECT_EQ(righeCercate, conRoma);
    EXPECT_TRUE(tutteConRoma);
    EXPECT_EQ(righeCercaVuoto, conRoma);
    EXPECT_EQ(righeReset, tutti);
    EXPECT_EQ(ricercaDopoReset, QString());
    EXPECT_EQ(m_primo.text(), QStringLiteral("ROMA"));
    EXPECT_EQ(m_secondo.text(), QStringLiteral("RM"));
}

TEST_F(FTABTest, EnterAndSpacePickEscAndBackgroundClose)
{
    struct Caso
    {
        const char* descrizione;
        std::function<void(QDialog*)> azione;
        bool scelta;
    };
    const auto cercaMilano = [](QDialog* f) {
        campoDi(f, "ricerca")->setText(QStringLiteral("milano"));
        QTest::mouseClick(pulsanteDi(f, "BCerca"), Qt::LeftButton);
    };
    const Caso casi[] = {
        {"Invio sull'elenco",
         [&](QDialog* f) {
             cercaMilano(f);
             QTest::keyClick(listaDi(f), Qt::Key_Return);
         },
         true},
        {"spazio su Cerca sceglie, non cerca",
         [&](QDialog* f) {
             cercaMilano(f);
             QTest::keyClick(pulsanteDi(f, "BCerca"), Qt::Key_Space);
         },
         true},
        {"Esc sull'elenco",
         [&](QDialog* f) {
             cercaMilano(f);
             QTest::keyClick(listaDi(f), Qt::Key_Escape);
         },
         false},
        {"Chiudi",
         [&](QDialog* f) {
             cercaMilano(f);
             QTest::mouseClick(pulsanteDi(f, "BAnnulla"), Qt::LeftButton);
         },
         false},
        {"clic sullo sfondo",
         [&](QDialog* f) {
             cercaMilano(f);
             QTest::mouseClick(f, Qt::LeftButton, {}, QPoint(2, 2));
         },
         false},
        {"Esc e Invio nella casella di ricerca non chiudono",
         [&](QDialog* f) {
             cercaMilano(f);
             QTest::keyClick(campoDi(f, "ricerca"), Qt::Key_Escape);
             QTest::keyClick(campoDi(f, "ricerca"), Qt::Key_Return);
             EXPECT_TRUE(f->isVisible());
             QTest::mouseClick(pulsanteDi(f, "BAnnulla"), Qt::LeftButton);
         },
         false},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.descrizione);
        m_primo.setText(QStringLiteral("ROMA"));
        m_secondo.setText(QStringLiteral("XX"));
        MentreAperta utente(caso.azione);
        apri(QStringLiteral("COMUN"));
        ASSERT_TRUE(utente.aperta());
        EXPECT_EQ(m_primo.text(), caso.scelta ? QStringLiteral("MILANO") : QStringLiteral("ROMA"));
        EXPECT_EQ(m_secondo.text(), caso.scelta ? QStringLiteral("MI") : QStringLiteral("XX"));
    }
}

TEST_F(FTABTest, OnlyValuesThatAreNotBlankAreWrittenBack)
{
    ASSERT_TRUE(
        m_ambiente->db()
            .inserisci(QStringLiteral("CTAB"), {{QStringLiteral("TIPO"), QStringLiteral("PAESI")},
                                                {QStringLiteral("COD"), QStringLiteral("ZZQ")},
                                                {QStringLiteral("DES"), QStringLiteral("   ")}})
            .ok());
    QString titolo;
    MentreAperta stati([&](QDialog* f) {
        titolo = campoDi(f, "vtabella")->text();
        campoDi(f, "ricerca")->setText(QStringLiteral("zzq"));
        QTest::mouseClick(pulsanteDi(f, "BCerca"), Qt::LeftButton);
        QTest::keyClick(listaDi(f), Qt::Key_Return);
    });
    apri(QStringLiteral("TSTA"));
    ASSERT_TRUE(stati.aperta());
    EXPECT_EQ(titolo, QStringLiteral(" Elenco Stati Esteri"));
    EXPECT_EQ(m_primo.text(), QStringLiteral("ZZQ"));
    EXPECT_EQ(m_secondo.text(), QStringLiteral("XX"));

    // Municipalities of birth hand back the cadastral code and no second value.
    MentreAperta nascita([&](QDialog* f) {
        campoDi(f, "ricerca")->setText(QStringLiteral("roma"));
        QTest::mouseClick(pulsanteDi(f, "BCerca"), Qt::LeftButton);
        QTreeWidgetItem* roma = rigaCon(listaDi(f), 1, QStringLiteral("ROMA"));
        ASSERT_NE(roma, nullptr);
        doppioClic(listaDi(f), roma);
    });
    m_primo.setText(QStringLiteral("ROMA"));
    apri(QStringLiteral("COMUNCF"));
    ASSERT_TRUE(nascita.aperta());
    EXPECT_EQ(m_primo.text(), QStringLiteral("H501"));
    EXPECT_EQ(m_secondo.text(), QStringLiteral("XX"));
}

TEST_F(FTABTest, CustomerListsShowOnlyTheCurrentAgency)
{
    const auto cliente = [&](const char* agenzia, const char* nome, const char* cf) {
        ASSERT_TRUE(m_ambiente->db()
                        .inserisci(QStringLiteral("COPERA"),
                                   {{QStringLiteral("OCOD"), QString::fromUtf8(agenzia)},
                                    {QStringLiteral("ATIPO"), QStringLiteral("1")},
                                    {QStringLiteral("ADES"), QString::fromUtf8(nome)},
                                    {QStringLiteral("ACF"), QString::fromUtf8(cf)}})
                        .ok());
    };
    cliente("D'AG", "MARIO ROSSI", "RSSMRA80A01H501U");
    cliente("D'AG", "MARIO ROSSI", "RSSMRA80A01H501U"); // one customer, two operations
    cliente("D'AG", "ANNA BIANCHI", "BNCNNA80A41F205X");
    cliente("ALTRA", "LUCA VERDI", "VRDLCU80A01L219Y");
    QStringList nomi;
    QString ricercaIniziale;
    MentreAperta utente([&](QDialog* f) {
        ricercaIniziale = campoDi(f, "ricerca")->text();
        QTreeWidget* lista = listaDi(f);
        for (int r = 0; r < lista->topLevelItemCount(); ++r)
            nomi << lista->topLevelItem(r)->text(1);
        QTreeWidgetItem* rossi = rigaCon(lista, 1, QStringLiteral("MARIO ROSSI"));
        ASSERT_NE(rossi, nullptr);
        doppioClic(lista, rossi);
    });
    apri(QStringLiteral("ANARES1"), QStringLiteral("D'AG"));
    ASSERT_TRUE(utente.aperta());
    EXPECT_EQ(ricercaIniziale, QStringLiteral("XX")); // the second field's text for customers
    EXPECT_EQ(nomi, (QStringList{QStringLiteral("ANNA BIANCHI"), QStringLiteral("MARIO ROSSI")}));
    EXPECT_EQ(m_primo.text(), QStringLiteral("MARIO ROSSI"));
    EXPECT_EQ(m_secondo.text(), QStringLiteral("RSSMRA80A01H501U"));
}

TEST_F(FTABTest, UnreadableListIsReportedAndNothingOpens)
{
    ProvaMessaggi messaggi;
    QTimer guardia; // should a window open after all, the test must not hang
    guardia.setSingleShot(true);
    QObject::connect(&guardia, &QTimer::timeout, [] {
        if (auto* aperta = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "si è aperta una finestra";
            aperta->close();
        }
    });
    guardia.start(3000);
    ASSERT_TRUE(m_ambiente->db().esegui(QStringLiteral("DROP TABLE T_COMUNI")).ok());
    apri(QStringLiteral("COMUN"));
    EXPECT_EQ(messaggi.mostrati().size(), 1);
    EXPECT_EQ(messaggi.ultimo().titolo, QStringLiteral("Errore"));
    EXPECT_TRUE(messaggi.ultimo().testo.contains(QStringLiteral("T_COMUNI"), Qt::CaseInsensitive));

    apri(QStringLiteral("SCONOSCIUTO"));
    EXPECT_EQ(messaggi.mostrati().size(), 1);
    EXPECT_EQ(m_primo.text(), QStringLiteral("ROMA"));
    EXPECT_EQ(m_secondo.text(), QStringLiteral("XX"));
}
