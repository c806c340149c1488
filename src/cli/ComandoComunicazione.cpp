#include "cli/ComandoComunicazione.h"

#include "cli/OpzioniComunicazione.h"
#include "cli/RegistraInvio.h"
#include "communication/LeggiFoglio.h"
#include "shell/Ambiente.h"
#include "shell/Cartelle.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

QList<Opzione> ComandoComunicazione::opzioni() const
{
    return {OpzioniComuni::agenzia(),
            Opzione::conValore(QStringLiteral("foglio"), QStringLiteral("FILE"),
                               QStringLiteral("foglio Excel (.xlsx, .xls) o CSV con le operazioni "
                                              "del mese")),
            OpzioniComuni::output(),
            OpzioniComuni::anno(),
            OpzioniComuni::mese(),
            Opzione::interruttore({QStringLiteral("sostitutiva"), QStringLiteral("sostitutivo")},
                                  QStringLiteral("comunicazione sostitutiva di una già inviata")),
            Opzione::conValore(QStringLiteral("separatore"), QStringLiteral("CARATTERE"),
                               QStringLiteral("separatore dei campi di un foglio CSV "
                                              "(predefinito: ;)")),
            Opzione::conValore(QStringLiteral("prima-riga"), QStringLiteral("N"),
                               QStringLiteral("prima riga dei dati di un foglio CSV, da 1 "
                                              "(predefinita: 3)")),
            OpzioniComuni::sovrascrivi()};
}

int ComandoComunicazione::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                                 QTextStream& err)
{
    const QStringList obbligatorie{QStringLiteral("agenzia"), QStringLiteral("foglio"),
                                   QStringLiteral("output")};
    if (segnalaErrore(argomenti.soloOpzioni(obbligatorie), err))
        return Uscita::fallito;
    auto agenzia = AgenziaDelPeriodo(ambiente.db(), argomenti);
    if (segnalaErrore(agenzia, err))
        return Uscita::fallito;

    RichiestaComunicazione richiesta;
    richiesta.agenzia = std::move(agenzia).valore();
    if (argomenti.ha(QStringLiteral("sostitutiva")))
        richiesta.agenzia.tipoInvio = QLatin1Char('1');
    // The error report names the sheet by its full path, as the window's dialog gives it.
    richiesta.foglio = QFileInfo(argomenti.valore(QStringLiteral("foglio"))).absoluteFilePath();
    richiesta.fileComunicazione = argomenti.valore(QStringLiteral("output"));
    richiesta.fileErrori = Cartelle::fileErroriImport(ambiente.cartella);
    richiesta.fileAvvisi = Cartelle::fileAvvisiImport(ambiente.cartella);
    if (argomenti.ha(QStringLiteral("separatore")))
        richiesta.separatoreCsv = argomenti.valore(QStringLiteral("separatore"));
    if (argomenti.ha(QStringLiteral("prima-riga"))) {
        bool ok = false;
        richiesta.primaRigaCsv = argomenti.valore(QStringLiteral("prima-riga")).toInt(&ok);
        if (!ok || richiesta.primaRigaCsv < 1) {
            err << "Prima riga dati non valida: " << argomenti.valore(QStringLiteral("prima-riga"))
                << Qt::endl;
            return Uscita::fallito;
        }
    }
    if (segnalaErrore(ControllaSovrascrittura(richiesta.fileComunicazione,
                                              argomenti.ha(QStringLiteral("sovrascrivi"))),
                      err))
        return Uscita::fallito;

    auto risultato = LeggiFoglio(ambiente.db(), richiesta);
    if (!risultato) {
        err << "Errore Lettura foglio: " << risultato.errore() << Qt::endl;
        return Uscita::fallito;
    }
    RegistraInvio(ambiente.db(), CodiceAgenzia(argomenti), richiesta.agenzia,
                  StoricoInvii::tipoDaInvio(richiesta.agenzia.tipoInvio),
                  richiesta.fileComunicazione, risultato->recordB, risultato->righeErrori, err);
    if (!risultato->erroreAvvisi.isEmpty())
        err << "Avvisi non scritti: " << risultato->erroreAvvisi << Qt::endl;
    if (risultato->erroriPresenti) {
        out << "Comunicazione " << richiesta.fileComunicazione << " creata CON ERRORI. ("
            << risultato->recordB
            << " record)\nErrori in: " << QDir::toNativeSeparators(risultato->fileErrori)
            << Qt::endl;
        out << "Avvisi: " << risultato->avvisi << Qt::endl;
        return Uscita::erroriNeiDati;
    }
    out << "Comunicazione " << richiesta.fileComunicazione << " creata con successo. ("
        << risultato->recordB << " record)" << Qt::endl;
    out << "Avvisi: " << risultato->avvisi << Qt::endl;
    return Uscita::fatto;
}
