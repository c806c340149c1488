#include "registry/ui/CampiLuogo.h"

#include "common/ui/StatoListe.h"
#include "common/ui/FTAB.h"
#include "registry/ElencoComuni.h"
#include "storage/Apici.h"
#include "support/CartellaProva.h"
#include "support/MentreAperta.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class CampiLuogoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        m_elenco = std::make_unique<ElencoComuni>(m_ambiente->db());
        m_campi = {&m_vOSCOM, &m_vOSPRO, &m_vOSOCOM, &m_vOSOPRO,
                   &m_vONCOM, &m_vONPRO, &m_vODCOM,  &m_vODPRO};
        CollegaCampiLuogo(m_campi, *m_elenco);
    }

    // The database's own answer for "COMUNE LIKE 'prefix%'": first name and its province.
    std::pair<QString, QString> primoDalDatabase(const QString& prefisso)
    {
        auto q = m_ambiente->db().esegui(
            QStringLiteral("SELECT COMUNE, PRO FROM T_COMUNI WHERE COMUNE LIKE ") +
            Sql::Apici(prefisso + QLatin1Char('%')) + QStringLiteral(" ORDER BY COMUNE LIMIT 1"));
        EXPECT_TRUE(q.ok());
        if (!q.ok() || !q.valore().next())
            return {};
        return {q.valore().value(0).toString(), q.valore().value(1).toString()};
    }

    static void esce(QLineEdit& campo, Qt::FocusReason motivo = Qt::TabFocusReason)
    {
        QFocusEvent uscita(QEvent::FocusOut, motivo);
        QApplication::sendEvent(&campo, &uscita);
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    std::unique_ptr<ElencoComuni> m_elenco;
    QLineEdit m_vOSCOM, m_vOSPRO, m_vOSOCOM, m_vOSOPRO, m_vONCOM, m_vONPRO, m_vODCOM, m_vODPRO;
    CampiLuogo m_campi;
};

} // namespace

TEST_F(CampiLuogoTest, EachLetterProposesTheFirstNameWithTheRestSelected)
{
    QTest::keyClicks(&m_vONCOM, QStringLiteral("mil"));
    const auto [mil, proMil] = primoDalDatabase(QStringLiteral("mil"));
    ASSERT_FALSE(mil.isEmpty());
    EXPECT_EQ(m_vONCOM.text(), mil);
    EXPECT_EQ(m_vONCOM.selectionStart(), 3);
    EXPECT_EQ(m_vONCOM.selectedText(), mil.mid(3));
    EXPECT_EQ(m_vONPRO.text(), proMil);
    EXPECT_TRUE(m_vOSCOM.text().isEmpty()); // only the field typed in and its province

    // The fourth letter replaces the proposed rest and searches again.
    QTest::keyClick(&m_vONCOM, Qt::Key_E);
    const auto [mile, proMile] = primoDalDatabase(QStringLiteral("mile"));
    ASSERT_NE(mile, mil);
    EXPECT_EQ(m_vONCOM.text(), mile);
    EXPECT_EQ(m_vONCOM.selectedText(), mile.mid(4));
    EXPECT_EQ(m_vONPRO.text(), proMile);

    // Deleting the proposed rest keeps what was typed.
    QTest::keyClick(&m_vONCOM, Qt::Key_Backspace);
    EXPECT_EQ(m_vONCOM.text(), QStringLiteral("MILE"));
}

TEST_F(CampiLuogoTest, KeysOtherThanLettersDoNotSearch)
{
    for (const auto& [tasto, atteso] :
         {std::pair{Qt::Key_1, "ROM1"}, std::pair{Qt::Key_Space, "ROM "},
          std::pair{Qt::Key_Apostrophe, "ROM'"}}) {
        m_vODCOM.setText(QStringLiteral("ROM"));
        m_vODPRO.setText(QStringLiteral("XX"));
        QTest::keyClick(&m_vODCOM, tasto);
        EXPECT_EQ(m_vODCOM.text(), QString::fromUtf8(atteso));
        EXPECT_EQ(m_vODPRO.text(), QStringLiteral("XX"));
    }
    // Copying the text is not typing a letter.
    m_vODCOM.setText(QStringLiteral("MIL"));
    QTest::keyClick(&m_vODCOM, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(m_vODCOM.text(), QStringLiteral("MIL"));
    EXPECT_EQ(m_vODPRO.text(), QStringLiteral("XX"));

    // A field the window has locked is not completed either.
    m_vODCOM.setReadOnly(true);
    QTest::keyClick(&m_vODCOM, Qt::Key_A);
    EXPECT_EQ(m_vODCOM.text(), QStringLiteral("MIL"));
    m_vODCOM.setReadOnly(false);

    // A name that matches nothing stays as typed.
    m_vODCOM.setText(QStringLiteral("QQ"));
    QTest::keyClick(&m_vODCOM, Qt::Key_Q);
    EXPECT_EQ(m_vODCOM.text(), QStringLiteral("QQq"));
    EXPECT_EQ(m_vODPRO.text(), QStringLiteral("XX"));
}

TEST_F(CampiLuogoTest, NamesWithAnApostropheComplete)
{
    QTest::keyClicks(&m_vOSOCOM, QStringLiteral("sant'ag"));
    const auto [nome, provincia] = primoDalDatabase(QStringLiteral("sant'ag"));
    ASSERT_TRUE(nome.startsWith(QStringLiteral("SANT'AG")));
    EXPECT_EQ(m_vOSOCOM.text(), nome);
    EXPECT_EQ(m_vOSOCOM.selectionStart(), 7);
    EXPECT_EQ(m_vOSOPRO.text(), provincia);
}

TEST_F(CampiLuogoTest, LeavingTheRegisteredOfficeFillsProvinceAndEmptyEstablishment)
{
    EXPECT_FALSE(m_elenco->ComuniAperti());
    m_vOSCOM.setText(QStringLiteral("roma"));
    m_vOSPRO.setText(QStringLiteral("XX"));
    m_vOSOCOM.setText(QStringLiteral("   "));
    esce(m_vOSCOM);
    EXPECT_TRUE(m_elenco->ComuniAperti());
    EXPECT_EQ(m_vOSCOM.text(), QStringLiteral("ROMA"));
    EXPECT_EQ(m_vOSPRO.text(), QStringLiteral("RM"));
    EXPECT_EQ(m_vOSOCOM.text(), QStringLiteral("ROMA"));
    EXPECT_EQ(m_vOSOPRO.text(), QStringLiteral("RM"));

    // A partial name keeps the province; a filled establishment is never overwritten.
    m_vOSCOM.setText(QStringLiteral("rom"));
    m_vOSPRO.setText(QStringLiteral("XX"));
    m_vOSOCOM.setText(QStringLiteral("MILANO"));
    m_vOSOPRO.setText(QStringLiteral("MI"));
    esce(m_vOSCOM);
    EXPECT_EQ(m_vOSCOM.text(), QStringLiteral("ROM"));
    EXPECT_EQ(m_vOSPRO.text(), QStringLiteral("XX"));
    EXPECT_EQ(m_vOSOCOM.text(), QStringLiteral("MILANO"));
    EXPECT_EQ(m_vOSOPRO.text(), QStringLiteral("MI"));

    // Switching to another program mid-name is not leaving the field.
    m_vOSCOM.setText(QStringLiteral("mil"));
    m_vOSOCOM.clear();
    esce(m_vOSCOM, Qt::ActiveWindowFocusReason);
    EXPECT_EQ(m_vOSCOM.text(), QStringLiteral("mil"));
    EXPECT_EQ(m_vOSOCOM.text(), QString());

    // An empty office copies nothing; the other fields have no such rule.
    m_vOSCOM.clear();
    m_vOSOCOM.clear();
    esce(m_vOSCOM);
    m_vONCOM.setText(QStringLiteral("roma"));
    esce(m_vONCOM);
    EXPECT_EQ(m_vOSOCOM.text(), QString());
    EXPECT_EQ(m_vONCOM.text(), QStringLiteral("roma"));
}

TEST_F(CampiLuogoTest, LookupButtonsWriteTheirOwnPair)
{
    StatoListe liste;
    ContestoRicerca contesto{m_ambiente->db(), liste, QString()};
    const auto scegliMilano = [](QDialog* f) {
        // The list opens with the field's text waiting in the search box.
        EXPECT_EQ(f->findChild<QLineEdit*>(QStringLiteral("ricerca"))->text(),
                  QStringLiteral("milano"));
        QTest::mouseClick(f->findChild<QPushButton*>(QStringLiteral("BCerca")), Qt::LeftButton);
        auto* lista = f->findChild<QTreeWidget*>(QStringLiteral("ListV"));
        ASSERT_GT(lista->topLevelItemCount(), 0);
        EXPECT_EQ(lista->currentItem()->text(1), QStringLiteral("MILANO"));
        QTest::keyClick(lista, Qt::Key_Return);
    };

    m_vOSCOM.setText(QStringLiteral("milano"));
    {
        MentreAperta utente(scegliMilano);
        RLOC(m_campi, contesto, nullptr);
        ASSERT_TRUE(utente.aperta());
    }
    EXPECT_EQ(m_vOSCOM.text(), QStringLiteral("MILANO"));
    EXPECT_EQ(m_vOSPRO.text(), QStringLiteral("MI"));
    EXPECT_EQ(m_vOSOCOM.text(), QStringLiteral("MILANO"));
    EXPECT_EQ(m_vOSOPRO.text(), QStringLiteral("MI"));

    m_vODCOM.setText(QStringLiteral("milano"));
    {
        MentreAperta utente(scegliMilano);
        rloca2(m_campi, contesto, nullptr);
        ASSERT_TRUE(utente.aperta());
    }
    EXPECT_EQ(m_vODCOM.text(), QStringLiteral("MILANO"));
    EXPECT_EQ(m_vODPRO.text(), QStringLiteral("MI"));
    EXPECT_EQ(m_vONCOM.text(), QString());
}
