#include "shell/ui/IconaProgramma.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <cstdio>

// Writes the program's icon as a Windows .ico, for the Windows executables' resources.
//
//   zefirante-icona <zefirante.ico>
int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Uso: zefirante-icona <zefirante.ico>\n");
        return 2;
    }
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    const QByteArray ico = IconaProgramma::fileIco();
    if (!file.open(QIODevice::WriteOnly) || file.write(ico) != ico.size() || !file.commit()) {
        std::fprintf(stderr, "Impossibile scrivere %s: %s\n", argv[1],
                     qPrintable(file.errorString()));
        return 2;
    }
    return 0;
}
