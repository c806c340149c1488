#include "FogliEsempio.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

// Writes the base sheet and the two example months into the folder given
// (the Help folder laid into every new application folder).
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList argomenti = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (argomenti.size() != 2) {
        err << "Uso: zefirante-fogli <cartella>\n";
        return 2;
    }
    if (!QDir().mkpath(argomenti[1]) || !FogliEsempio::ScriviTutti(argomenti[1])) {
        err << "Impossibile scrivere i fogli in " << QDir::toNativeSeparators(argomenti[1]) << '\n';
        return 1;
    }
    return 0;
}
