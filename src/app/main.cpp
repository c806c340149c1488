#include "common/ui/Messaggi.h"
#include "shell/Avvio.h"
#include "shell/Versione.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("ZEFIRANTE"));
    QApplication::setApplicationName(QStringLiteral("ZEFIRANTE"));
    QApplication::setApplicationVersion(Versione::numero);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("ZEFIRANTE - comunicazione mensile OAM dei cambi valuta"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("cartella"), QStringLiteral("Cartella dell'applicazione."), QStringLiteral("CARTELLA")});
    parser.process(app);

    auto ambiente = Avvio(parser.value(QStringLiteral("cartella")), QApplication::applicationDirPath());
    if (!ambiente) {
        Messaggi::mostra(nullptr, ambiente.errore(), Versione::titoloApplicazione, Messaggi::Icona::Critica);
        return 2;
    }
    return 0;
}
