#include "common/ui/TraduzioneQt.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// The texts of the buttons and labels of Qt's own file dialog (the one that
// Linux shows), without the accelerator marks.
QStringList testiDialogo()
{
    QFileDialog dialogo(nullptr, QStringLiteral("Apri"));
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.setAcceptMode(QFileDialog::AcceptOpen);
    QStringList testi;
    for (const QPushButton* pulsante :
         dialogo.findChild<QDialogButtonBox*>()->findChildren<QPushButton*>())
        testi << pulsante->text().remove(QLatin1Char('&'));
    for (const QLabel* etichetta : dialogo.findChildren<QLabel*>())
        testi << etichetta->text().remove(QLatin1Char('&'));
    return testi;
}

} // namespace

// Loaded the way the program loads it at start, the translation turns Qt's
// dialogs Italian; gone with the object, they are Qt's English again.
TEST(TraduzioneQt, DialogoFileInItaliano)
{
    {
        const TraduzioneQt traduzione;
        ASSERT_TRUE(traduzione.caricata());
        const QStringList testi = testiDialogo();
        EXPECT_TRUE(testi.contains(QStringLiteral("Apri"))) << testi.join(u'|').toStdString();
        EXPECT_TRUE(testi.contains(QStringLiteral("Annulla"))) << testi.join(u'|').toStdString();
        EXPECT_FALSE(testi.contains(QStringLiteral("Cancel")));
    }
    const QStringList inglese = testiDialogo();
    EXPECT_TRUE(inglese.contains(QStringLiteral("Cancel"))) << inglese.join(u'|').toStdString();
}
