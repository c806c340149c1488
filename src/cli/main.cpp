#include "cli/Cli.h"

#include <QGuiApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    // The printed lists need fonts, hence a GUI application, never a window.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ZEFIRANTE"));
    QCoreApplication::setApplicationName(QStringLiteral("ZEFIRANTE"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return eseguiCli(QCoreApplication::arguments().mid(1), out, err,
                     QCoreApplication::applicationDirPath());
}
