#include "common/ui/CampoData.h"

#include "common/ui/Colori.h"
#include "common/ui/FCale.h"
#include "common/ui/SegnalaErrore.h"
#include "support/OrologioFisso.h"
#include "support/ProvaMessaggi.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

TEST(SegnalaErrore, CentresShortMessagesWithHalvesRoundedToEven)
{
    // Length -> blanks on each side: 50 minus half the length, halves to even.
    const struct
    {
        int lunghezza;
        int margine;
    } casi[] = {{0, 50}, {1, 50}, {2, 49}, {3, 48}, {5, 48}, {7, 46}, {15, 42}, {48, 26}, {49, 26}};
    for (const auto& caso : casi) {
        const QString messaggio(caso.lunghezza, QLatin1Char('x'));
        const QString margine(caso.margine, QLatin1Char(' '));
        EXPECT_EQ(MessaggioCentrato(messaggio), margine + messaggio + margine) << caso.lunghezza;
    }
    for (const int lunghezza : {50, 51, 120}) {
        const QString lungo(lunghezza, QLatin1Char('y'));
        EXPECT_EQ(MessaggioCentrato(lungo), lungo);
    }
}

TEST(SegnalaErrore, ShowsTheCentredMessageAndLeavesTheFieldFocusedInFocusColour)
{
    ProvaMessaggi messaggi;
    QWidget finestra;
    auto* campo = new QLineEdit(&finestra);
    auto* altro = new QLineEdit(&finestra);
    finestra.show();
    altro->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&finestra));

    QString messaggio = QStringLiteral("Data non valida");
    SegnalaErrore(campo, messaggio);

    const QString margine(42, QLatin1Char(' '));
    EXPECT_EQ(messaggio, margine + QStringLiteral("Data non valida") + margine);
    ASSERT_EQ(messaggi.mostrati().size(), 1);
    EXPECT_EQ(messaggi.ultimo().testo, messaggio);
    EXPECT_EQ(messaggi.ultimo().titolo, QStringLiteral("Errore"));
    EXPECT_FALSE(messaggi.ultimo().domanda);
    EXPECT_EQ(campo->palette().color(QPalette::Base), ColoreFocus);
    EXPECT_EQ(campo->palette().color(QPalette::Text),
              QApplication::palette(campo).color(QPalette::Text));
    EXPECT_TRUE(campo->hasFocus());
}

TEST(ControllaCampoData, RewritesAValidDateAndSignalsAnyOther)
{
    ProvaMessaggi messaggi;
    QLineEdit campo;
    const struct
    {
        const char* scritto;
        bool valida;
        const char* dopo;
    } casi[] = {
        {"1.2.1990", false, "1.2.1990"}, // day 12, month 19
        {"01.02.90", true, "01/02/1990"},    {"29-02-2016", true, "29/02/2016"},
        {"31/04/2020", false, "31/04/2020"}, {"", false, ""},
    };
    for (const auto& caso : casi) {
        messaggi.azzera();
        campo.setText(QString::fromLatin1(caso.scritto));
        EXPECT_EQ(ControllaCampoData(&campo), caso.valida) << caso.scritto;
        EXPECT_EQ(campo.text(), QString::fromLatin1(caso.dopo));
        if (caso.valida) {
            EXPECT_TRUE(messaggi.mostrati().isEmpty());
        } else {
            ASSERT_EQ(messaggi.mostrati().size(), 1);
            EXPECT_EQ(messaggi.ultimo().testo.trimmed(), QStringLiteral("Data non valida"));
        }
    }
}

namespace {

// Acts on the modal window that is about to open.
void sulCalendario(std::function<void(FCale*)> azione)
{
    QTimer::singleShot(0, [azione] {
        auto* calendario = qobject_cast<FCale*>(QApplication::activeModalWidget());
        if (!calendario) {
            ADD_FAILURE() << "il calendario non si è aperto";
            if (QApplication::activeModalWidget())
                QApplication::activeModalWidget()->close();
            return;
        }
        azione(calendario);
        if (calendario->isVisible()) {
            ADD_FAILURE() << "il calendario è rimasto aperto";
            calendario->reject();
        }
    });
}

} // namespace

TEST(ScegliData, WritesThePickedDateAndKeepsTheTextWhenCancelled)
{
    OrologioFisso oggi(QDate(2016, 3, 20));
    QLineEdit campo(QStringLiteral("01/01/2000"));

    sulCalendario([](FCale* calendario) {
        QTest::mouseDClick(calendario->cella(1), Qt::LeftButton); // 1 March 2016 is a Tuesday
    });
    ScegliData(&campo);
    EXPECT_EQ(campo.text(), QStringLiteral("01/03/2016"));

    sulCalendario([](FCale* calendario) {
        QTest::keyClick(calendario->findChild<QWidget*>(QStringLiteral("pctCAL")), Qt::Key_Escape);
    });
    ScegliData(&campo);
    EXPECT_EQ(campo.text(), QStringLiteral("01/03/2016"));

    sulCalendario([](FCale* calendario) { calendario->close(); });
    ScegliData(&campo);
    EXPECT_EQ(campo.text(), QStringLiteral("01/03/2016"));
}
