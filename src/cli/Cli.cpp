#include "cli/Cli.h"

#include "cli/ComandoAgenzia.h"
#include "cli/ComandoAgenzie.h"
#include "cli/ComandoComunicazione.h"
#include "cli/ComandoRipristina.h"
#include "cli/ComandoSalva.h"
#include "cli/ComandoStampa.h"
#include "cli/ComandoVuota.h"
#include "shell/Avvio.h"
#include "shell/Versione.h"

#include <QTextStream>
#include <memory>
#include <vector>

namespace {

std::vector<std::unique_ptr<Comando>> comandi()
{
    std::vector<std::unique_ptr<Comando>> elenco;
    elenco.push_back(std::make_unique<ComandoAgenzie>());
    elenco.push_back(std::make_unique<ComandoAgenzia>());
    elenco.push_back(std::make_unique<ComandoComunicazione>());
    elenco.push_back(std::make_unique<ComandoVuota>());
    elenco.push_back(std::make_unique<ComandoSalva>());
    elenco.push_back(std::make_unique<ComandoRipristina>());
    elenco.push_back(std::make_unique<ComandoStampa>());
    return elenco;
}

void stampaAiuto(QTextStream& out, const std::vector<std::unique_ptr<Comando>>& elenco)
{
    out << "Uso: zefirante-cli [--cartella CARTELLA] COMANDO [OPZIONI]\n\n"
           "Esegue da riga di comando i lavori di ZEFIRANTE sulla stessa base dati del "
           "programma.\n\n"
           "Opzioni generali:\n"
           "  --cartella CARTELLA  cartella dell'applicazione (database, DIVISE.CSV, stampe)\n"
           "  --help               mostra questo aiuto\n"
           "  --version            mostra la versione\n\n"
           "Comandi:\n";
    for (const auto& comando : elenco)
        out << "  " << comando->uso().leftJustified(44) << ' ' << comando->descrizione() << '\n';
    out << "\nCodici di uscita: 0 eseguito, 1 eseguito con errori nei dati segnalati, 2 non "
           "eseguito.\n";
    out.flush();
}

} // namespace

int eseguiCli(const QStringList& argomenti, QTextStream& out, QTextStream& err,
              const QString& cartellaEseguibile)
{
    const auto elenco = comandi();
    QString cartella;
    qsizetype i = 0;
    for (; i < argomenti.size(); ++i) {
        const QString& a = argomenti[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            stampaAiuto(out, elenco);
            return Uscita::fatto;
        }
        if (a == QLatin1String("--version")) {
            out << "zefirante-cli " << Versione::numero << " (" << Versione::testoVersione << ")\n";
            out.flush();
            return Uscita::fatto;
        }
        if (a == QLatin1String("--cartella")) {
            if (++i == argomenti.size()) {
                err << "Manca la cartella dopo --cartella." << Qt::endl;
                return Uscita::fallito;
            }
            cartella = argomenti[i];
            continue;
        }
        break;
    }
    if (i == argomenti.size()) {
        stampaAiuto(err, elenco);
        return Uscita::fallito;
    }
    for (const auto& comando : elenco) {
        if (comando->nome() != argomenti[i])
            continue;
        auto ambiente = Avvio(cartella, cartellaEseguibile);
        if (!ambiente) {
            err << ambiente.errore() << Qt::endl;
            return Uscita::fallito;
        }
        return comando->esegui(*ambiente.valore(), argomenti.mid(i + 1), out, err);
    }
    err << "Comando sconosciuto: " << argomenti[i] << " (zefirante-cli --help per l'elenco)"
        << Qt::endl;
    return Uscita::fallito;
}
