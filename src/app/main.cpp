#include "backup/ui/FSalva.h"
#include "common/ui/Messaggi.h"
#include "common/ui/TraduzioneQt.h"
#include "printing/ui/FSTAMPA.h"
#include "shell/Avvio.h"
#include "shell/Cartelle.h"
#include "shell/Versione.h"
#include "shell/ui/FA.h"
#include "shell/ui/IconaProgramma.h"
#include "shell/ui/UnaFinestra.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Italian throughout, whatever the system's language: Qt's own dialogs and
    // buttons, and the dates and numbers inside them.
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    const TraduzioneQt traduzione;
    QApplication::setOrganizationName(QStringLiteral("ZEFIRANTE"));
    QApplication::setApplicationName(QStringLiteral("ZEFIRANTE"));
    QApplication::setApplicationVersion(Versione::numero);
    QApplication::setWindowIcon(IconaProgramma::icona());

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("ZEFIRANTE - comunicazione mensile OAM dei cambi valuta"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QStringLiteral("cartella"),
                      QStringLiteral("Cartella dell'applicazione (database, DIVISE.CSV, stampe)."),
                      QStringLiteral("CARTELLA")});
    parser.process(app);

    // One window program a folder, and it is checked before anything is opened or laid in.
    const QString cartella = parser.value(QStringLiteral("cartella"));
    const auto blocco =
        bloccaPerFinestre(Cartelle::applicazione(cartella, QApplication::applicationDirPath()));
    if (!blocco)
        return 2;

    // Without a database there is nothing to work on: say why and stop before any window.
    auto avviato = Avvio(cartella, QApplication::applicationDirPath());
    if (!avviato) {
        Messaggi::mostra(nullptr, avviato.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Critica);
        return 2;
    }
    Ambiente& ambiente = *avviato.valore();

    FA principale(ambiente);
    principale.mostraSalvataggio = [&ambiente](QWidget* padre) {
        FSalva finestra(ambiente, padre);
        finestra.mostra();
    };
    principale.mostraStampa = [&ambiente](QWidget* padre) {
        FSTAMPA finestra(ambiente, padre);
        finestra.exec();
    };
    principale.show();
    principale.mostraBenvenuto();
    return app.exec();
}
