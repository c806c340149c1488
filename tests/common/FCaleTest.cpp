#include "common/ui/FCale.h"

#include "support/OrologioFisso.h"

#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

QString testo(const FCale& calendario, const char* nome)
{
    auto* etichetta = calendario.findChild<QLabel*>(QLatin1String(nome));
    EXPECT_NE(etichetta, nullptr) << nome;
    return etichetta ? etichetta->text() : QString();
}

QStringList didascalie(const FCale& calendario)
{
    QStringList celle;
    for (int i = 0; i < FCale::Celle; ++i)
        celle << calendario.cella(i)->text();
    return celle;
}

// The grid as expected: blanks before the first day, then 1..giorni, then blanks.
QStringList grigliaAttesa(int scarto, int giorni)
{
    QStringList celle;
    for (int i = 0; i < FCale::Celle; ++i) {
        const int giorno = i - scarto + 1;
        celle << ((giorno >= 1 && giorno <= giorni) ? QString::number(giorno) : QString());
    }
    return celle;
}

// The index of the cell that the frame marks.
int cellaDellaCornice(const FCale& calendario)
{
    const auto* cornice = calendario.findChild<QWidget*>(QStringLiteral("Shape1"));
    for (int i = 0; i < FCale::Celle; ++i) {
        if (cornice->geometry().center() == calendario.cella(i)->geometry().center())
            return i;
    }
    return -1;
}

void premi(const FCale& calendario, const char* pulsante)
{
    auto* bottone = calendario.findChild<QPushButton*>(QLatin1String(pulsante));
    ASSERT_NE(bottone, nullptr) << pulsante;
    bottone->click();
}

void clic(const FCale& calendario, const char* nome)
{
    auto* widget = calendario.findChild<QWidget*>(QLatin1String(nome));
    ASSERT_NE(widget, nullptr) << nome;
    QTest::mouseClick(widget, Qt::LeftButton);
}

QWidget* griglia(const FCale& calendario)
{
    return calendario.findChild<QWidget*>(QStringLiteral("pctCAL"));
}

// Runs the window modally, acting on it once it is open; returns what it chose.
QString esegui(FCale& calendario, const std::function<void()>& azione)
{
    QTimer::singleShot(0, &calendario, [&calendario, azione] {
        azione();
        if (calendario.isVisible()) {
            ADD_FAILURE() << "il calendario è rimasto aperto";
            calendario.reject();
        }
    });
    calendario.exec();
    return calendario.dataScelta();
}

} // namespace

TEST(FCale, OpensOnTodaysMonthWithTheFrameOnToday)
{
    OrologioFisso oggi(QDate(2016, 3, 5));
    FCale calendario;
    EXPECT_EQ(calendario.windowTitle(), QStringLiteral("Seleziona una data"));
    EXPECT_EQ(testo(calendario, "lblMESE"), QStringLiteral("Marzo"));
    EXPECT_EQ(testo(calendario, "lblANNO"), QStringLiteral("2016"));
    // 1 March 2016 was a Tuesday.
    EXPECT_EQ(didascalie(calendario), grigliaAttesa(1, 31));
    EXPECT_EQ(cellaDellaCornice(calendario), 5);
    EXPECT_EQ(testo(calendario, "MyDate"), QString());
    EXPECT_EQ(testo(calendario, "Label1"), QStringLiteral("Scegli con doppio click"));
    EXPECT_TRUE(calendario.findChild<QListWidget*>(QStringLiteral("lstMESI"))->isHidden());
}

TEST(FCale, MonthNamesAreItalianWhateverTheLocale)
{
    const QLocale prima;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    OrologioFisso oggi(QDate(2016, 7, 1));
    FCale calendario;
    QLocale::setDefault(prima);

    auto* mesi = calendario.findChild<QListWidget*>(QStringLiteral("lstMESI"));
    ASSERT_EQ(mesi->count(), 12);
    EXPECT_EQ(mesi->item(0)->text(), QStringLiteral("Gennaio"));
    EXPECT_EQ(mesi->item(7)->text(), QStringLiteral("Agosto"));
    EXPECT_EQ(mesi->item(11)->text(), QStringLiteral("Dicembre"));
    EXPECT_EQ(testo(calendario, "lblMESE"), QStringLiteral("Luglio"));
}

TEST(FCale, MonthsStartingOnSundayAndFebruaries)
{
    const struct
    {
        QDate oggi;
        int scarto;
        int giorni;
    } casi[] = {
        {QDate(2016, 5, 10), 6, 31}, // Sunday start, 31 days: all 37 cells
        {QDate(2017, 1, 2), 6, 31},  {QDate(2015, 2, 1), 6, 28}, // Sunday start, 28 days
        {QDate(2016, 2, 1), 0, 29},                              // leap year
        {QDate(2017, 2, 1), 2, 28},  {QDate(2000, 2, 1), 1, 29}, // divisible by 400: leap
        {QDate(2100, 2, 1), 0, 28},                              // divisible by 100 only: not leap
        {QDate(2016, 4, 1), 4, 30},
    };
    for (const auto& caso : casi) {
        OrologioFisso oggi(caso.oggi);
        FCale calendario;
        EXPECT_EQ(didascalie(calendario), grigliaAttesa(caso.scarto, caso.giorni))
            << caso.oggi.toString(Qt::ISODate).toStdString();
    }
}

TEST(FCale, PreviousAndNextMonthCrossYearsWithinTheRange)
{
    OrologioFisso oggi(QDate(2017, 1, 15));
    FCale calendario;

    premi(calendario, "Command2");
    EXPECT_EQ(testo(calendario, "lblMESE"), QStringLiteral("Dicembre"));
    EXPECT_EQ(testo(calendario, "lblANNO"), QStringLiteral("2016"));
    EXPECT_EQ(didascalie(calendario), grigliaAttesa(3, 31)); // 1 December 2016: Thursday

    premi(calendario, "Command3");
    EXPECT_EQ(testo(calendario, "lblMESE"), QStringLiteral("Gennaio"));
    EXPECT_EQ(testo(calendario, "lblANNO"), QStringLiteral("2017"));

    premi(calendario, "Command3");
    premi(calendario, "Command2");
    EXPECT_EQ(calendario.mese(), 1);
    EXPECT_EQ(calendario.anno(), 2017);
    EXPECT_EQ(didascalie(calendario), grigliaAttesa(6, 31));

    // Nothing before January 1500 or after December 2500.
    auto* anni = calendario.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    anni->setValue(-1500);
    premi(calendario, "Command2");
    EXPECT_EQ(calendario.mese(), 1);
    EXPECT_EQ(calendario.anno(), 1500);
    anni->setValue(-2500);
    calendario.findChild<QListWidget*>(QStringLiteral("lstMESI"))->setCurrentRow(11);
    premi(calendario, "Command3");
    EXPECT_EQ(calendario.mese(), 12);
    EXPECT_EQ(calendario.anno(), 2500);
}

TEST(FCale, FramePastTheLastDayLandsOnABlankCell)
{
    OrologioFisso oggi(QDate(2016, 3, 31));
    FCale calendario;
    EXPECT_EQ(cellaDellaCornice(calendario), 31 + 1 - 1);
    premi(calendario, "Command3"); // April 2016 starts on a Friday and has 30 days
    EXPECT_EQ(cellaDellaCornice(calendario), 31 + 4 - 1);
    EXPECT_EQ(calendario.cella(34)->text(), QString());
    EXPECT_EQ(calendario.cella(33)->text(), QStringLiteral("30"));
}

TEST(FCale, YearScrollMonthListAndLabels)
{
    OrologioFisso oggi(QDate(2016, 3, 5));
    FCale calendario;
    calendario.show();
    auto* anni = calendario.findChild<QScrollBar*>(QStringLiteral("VScroll1"));
    auto* mesi = calendario.findChild<QListWidget*>(QStringLiteral("lstMESI"));

    // The up arrow moves to a later year and redraws the month.
    anni->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(testo(calendario, "lblANNO"), QStringLiteral("2017"));
    EXPECT_EQ(didascalie(calendario), grigliaAttesa(2, 31)); // March 2017
    anni->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    anni->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(calendario.anno(), 2015);

    // A click on the year returns to the current one.
    clic(calendario, "lblANNO");
    EXPECT_EQ(calendario.anno(), 2016);
    EXPECT_EQ(didascalie(calendario), grigliaAttesa(1, 31));

    // The month list opens and closes from the button and the month label.
    clic(calendario, "cmdMESI");
    EXPECT_TRUE(mesi->isVisible());
    clic(calendario, "lblMESE");
    EXPECT_FALSE(mesi->isVisible());
    clic(calendario, "lblMESE");
    ASSERT_TRUE(mesi->isVisible());
    const QRect dicembre = mesi->visualItemRect(mesi->item(11));
    QTest::mouseClick(mesi->viewport(), Qt::LeftButton, {}, dicembre.center());
    EXPECT_FALSE(mesi->isVisible());
    EXPECT_EQ(testo(calendario, "lblMESE"), QStringLiteral("Dicembre"));
    EXPECT_EQ(didascalie(calendario), grigliaAttesa(3, 31)); // December 2016

    // A click on the picked date hides and shows the grid.
    clic(calendario, "MyDate");
    EXPECT_FALSE(griglia(calendario)->isVisible());
    clic(calendario, "MyDate");
    EXPECT_TRUE(griglia(calendario)->isVisible());
}

TEST(FCale, PicksWithDoubleClickOrClickAndKeyAndNothingOtherwise)
{
    // Today is Sunday 20 March 2016; 1 March is in cell 1.
    OrologioFisso oggi(QDate(2016, 3, 20));
    const struct
    {
        const char* come;
        std::function<void(FCale&)> azione;
        const char* scelta;
    } casi[] = {
        {"double click", [](FCale& c) { QTest::mouseDClick(c.cella(5), Qt::LeftButton); },
         "05/03/2016"},
        {"enter before any click", [](FCale& c) { QTest::keyClick(griglia(c), Qt::Key_Return); },
         ""},
        {"click and space",
         [](FCale& c) {
             QTest::mouseClick(c.cella(12), Qt::LeftButton);
             EXPECT_EQ(testo(c, "MyDate"), QStringLiteral("12/03/2016"));
             EXPECT_EQ(cellaDellaCornice(c), 12);
             QTest::keyClick(griglia(c), Qt::Key_Space);
         },
         "12/03/2016"},
        {"click, next month, enter",
         [](FCale& c) {
             QTest::mouseClick(c.cella(9), Qt::LeftButton);
             premi(c, "Command3");
             EXPECT_EQ(cellaDellaCornice(c), 20 + 4 - 1); // back on the 20th, in April
             QTest::keyClick(griglia(c), Qt::Key_Enter);
         },
         "09/03/2016"},
        {"blank cells, then esc",
         [](FCale& c) {
             QTest::mouseClick(c.cella(0), Qt::LeftButton);
             QTest::mouseDClick(c.cella(0), Qt::LeftButton);
             EXPECT_TRUE(c.isVisible());
             EXPECT_EQ(testo(c, "MyDate"), QString());
             QTest::mouseClick(c.cella(3), Qt::LeftButton);
             QTest::keyClick(griglia(c), Qt::Key_Escape);
         },
         ""},
        {"click, then the close box",
         [](FCale& c) {
             QTest::mouseClick(c.cella(3), Qt::LeftButton);
             c.close();
         },
         ""},
    };
    for (const auto& caso : casi) {
        FCale calendario;
        EXPECT_EQ(esegui(calendario, [&] { caso.azione(calendario); }), QLatin1String(caso.scelta))
            << caso.come;
    }
}
