// The main of every test program: a real QApplication on the offscreen
// platform, the Italian locale pinned, and Qt's test paths so that no test
// writes into the user's own data folders.
#include <QApplication>
#include <QLocale>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qunsetenv("APPDATA");
    qunsetenv("appdata");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZEFIRANTE-prove"));
    QApplication::setApplicationName(QStringLiteral("ZEFIRANTE-prove"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
