#include "cli/Cli.h"

#include "cli/ComandoAgenzia.h"
#include "cli/ComandoAgenzie.h"
#include "cli/ComandoComunicazione.h"
#include "cli/ComandoRipristina.h"
#include "cli/ComandoSalva.h"
#include "cli/ComandoScadenze.h"
#include "cli/ComandoStampa.h"
#include "cli/ComandoStorico.h"
#include "cli/ComandoVuota.h"
#include "shell/Avvio.h"
#include "shell/BloccoCartella.h"
#include "shell/Cartelle.h"
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
    elenco.push_back(std::make_unique<ComandoScadenze>());
    elenco.push_back(std::make_unique<ComandoStorico>());
    return elenco;
}

// One line of a help: "  --agenzia CF   codice fiscale...".
void voce(QTextStream& out, const QString& etichetta, qsizetype larghezza,
          const QString& spiegazione)
{
    out << "  " << etichetta.leftJustified(larghezza) << ' ' << spiegazione << '\n';
}

// The options before the command; "-h" is "--help" too.
QList<Opzione> opzioniGenerali()
{
    return {
        Opzione::conValore(QStringLiteral("cartella"), QStringLiteral("CARTELLA"),
                           QStringLiteral("cartella dell'applicazione (database, DIVISE.CSV, "
                                          "stampe)")),
        Opzione::interruttore({QStringLiteral("help"), QStringLiteral("h")},
                              QStringLiteral("mostra questo aiuto")),
        Opzione::interruttore({QStringLiteral("version")}, QStringLiteral("mostra la versione"))};
}

// Every command answers --help, which its help does not list.
QList<Opzione> opzioniDi(const Comando& comando)
{
    return comando.opzioni() << Opzione::interruttore({QStringLiteral("help")},
                                                      QStringLiteral("mostra l'aiuto del comando"));
}

void stampaAiuto(QTextStream& out, const std::vector<std::unique_ptr<Comando>>& elenco)
{
    out << "Uso: zefirante-cli [--cartella CARTELLA] COMANDO [OPZIONI]\n\n"
           "Esegue da riga di comando i lavori di ZEFIRANTE sulla stessa base dati del "
           "programma.\n\n"
           "Opzioni generali:\n";
    for (const Opzione& opzione : opzioniGenerali())
        voce(out, opzione.etichetta, 20, opzione.definizione.description());
    out << "\nComandi:\n";
    for (const auto& comando : elenco)
        voce(out, comando->uso(), 44, comando->descrizione());
    out << "\nCodici di uscita: 0 eseguito, 1 eseguito con errori nei dati segnalati, 2 non "
           "eseguito.\n";
    out.flush();
}

// "zefirante-cli COMANDO --help": the usage line, the arguments and options
// with their meaning, and what the command does.
void stampaAiuto(QTextStream& out, const Comando& comando)
{
    out << "Uso: zefirante-cli " << comando.uso() << "\n\n";
    const auto posizionali = comando.posizionali();
    const auto opzioni = comando.opzioni();
    for (const auto& [nome, spiegazione] : posizionali)
        voce(out, nome, 26, spiegazione);
    for (const Opzione& opzione : opzioni)
        voce(out, opzione.etichetta, 26, opzione.definizione.description());
    if (!posizionali.isEmpty() || !opzioni.isEmpty())
        out << '\n';
    out << comando.nota() << '\n';
    out.flush();
}

} // namespace

int eseguiCli(const QStringList& argomenti, QTextStream& out, QTextStream& err,
              const QString& cartellaEseguibile, std::chrono::milliseconds attesa)
{
    const auto elenco = comandi();
    const Argomenti generali(opzioniGenerali(), argomenti, Argomenti::Fine::PrimoPosizionale);
    // The first of --help and --version wins, whatever follows it.
    for (const QString& nome : generali.lette()) {
        if (nome == QLatin1String("help")) {
            stampaAiuto(out, elenco);
            return Uscita::fatto;
        }
        if (nome == QLatin1String("version")) {
            out << "zefirante-cli " << Versione::numero << " (" << Versione::testoVersione << ")\n";
            out.flush();
            return Uscita::fatto;
        }
    }
    if (generali.mancaValore()) {
        err << "Manca la cartella dopo --cartella." << Qt::endl;
        return Uscita::fallito;
    }
    if (generali.resto().isEmpty()) {
        stampaAiuto(err, elenco);
        return Uscita::fallito;
    }
    const QString& nome = generali.resto().first();
    for (const auto& comando : elenco) {
        if (comando->nome() != nome)
            continue;
        const Argomenti letti(opzioniDi(*comando), generali.resto().mid(1));
        // The help needs no database: it is printed before the folder is opened.
        if (letti.aiuto()) {
            stampaAiuto(out, *comando);
            return Uscita::fatto;
        }
        const QString cartella = generali.valore(QStringLiteral("cartella"));
        BloccoCartella blocco(Cartelle::applicazione(cartella, cartellaEseguibile),
                              BloccoCartella::Programma::RigaDiComando);
        if (!blocco.prendi(attesa)) {
            err << "Un altro zefirante-cli sta lavorando su questa cartella: attesa scaduta, "
                   "riprovare più tardi."
                << Qt::endl;
            return Uscita::fallito;
        }
        auto ambiente = Avvio(cartella, cartellaEseguibile);
        if (!ambiente) {
            err << ambiente.errore() << Qt::endl;
            return Uscita::fallito;
        }
        return comando->esegui(*ambiente.valore(), letti, out, err);
    }
    err << "Comando sconosciuto: " << nome << " (zefirante-cli --help per l'elenco)" << Qt::endl;
    return Uscita::fallito;
}
