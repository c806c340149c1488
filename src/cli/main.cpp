#include "cli/Cli.h"
#include "cli/UscitaConsole.h"

#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    // The printed lists need fonts, hence a GUI application, never a window. Windows keeps its
    // own platform, which opens no window either: there the offscreen platform reads fonts
    // only from a "fonts" folder beside Qt, and the lists would come out without text.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QGuiApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ZEFIRANTE"));
    QCoreApplication::setApplicationName(QStringLiteral("ZEFIRANTE"));
    const auto uscita = apriUscita(stdout);
    const auto errori = apriUscita(stderr);
    QTextStream out(uscita.get());
    QTextStream err(errori.get());
    return eseguiCli(QCoreApplication::arguments().mid(1), out, err,
                     QCoreApplication::applicationDirPath());
}
