#include "cli/ComandoComunicazione.h"

#include "cli/OpzioniComunicazione.h"
#include "communication/LeggiFoglio.h"
#include "shell/Ambiente.h"
#include "shell/Cartelle.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

int ComandoComunicazione::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                                 QTextStream& err)
{
    auto opzioni = LeggiOpzioni(
        argomenti,
        {QStringLiteral("--agenzia"), QStringLiteral("--foglio"), QStringLiteral("--output"),
         QStringLiteral("--anno"), QStringLiteral("--mese"), QStringLiteral("--separatore"),
         QStringLiteral("--prima-riga")},
        {QStringLiteral("--sostitutiva"), QStringLiteral("--sostitutivo"),
         QStringLiteral("--sovrascrivi")},
        {QStringLiteral("--agenzia"), QStringLiteral("--foglio"), QStringLiteral("--output")});
    if (!opzioni) {
        err << opzioni.errore() << Qt::endl;
        return Uscita::fallito;
    }
    auto agenzia = AgenziaDelPeriodo(ambiente.db(), *opzioni);
    if (!agenzia) {
        err << agenzia.errore() << Qt::endl;
        return Uscita::fallito;
    }

    RichiestaComunicazione richiesta;
    richiesta.agenzia = std::move(agenzia).valore();
    if (opzioni->ha(QStringLiteral("--sostitutiva")) ||
        opzioni->ha(QStringLiteral("--sostitutivo")))
        richiesta.agenzia.tipoInvio = QLatin1Char('1');
    // The error report names the sheet by its full path, as the window's dialog gives it.
    richiesta.foglio = QFileInfo(opzioni->valore(QStringLiteral("--foglio"))).absoluteFilePath();
    richiesta.fileComunicazione = opzioni->valore(QStringLiteral("--output"));
    richiesta.fileErrori = Cartelle::fileErroriImport(ambiente.cartella);
    if (opzioni->ha(QStringLiteral("--separatore")))
        richiesta.separatoreCsv = opzioni->valore(QStringLiteral("--separatore"));
    if (opzioni->ha(QStringLiteral("--prima-riga"))) {
        bool ok = false;
        richiesta.primaRigaCsv = opzioni->valore(QStringLiteral("--prima-riga")).toInt(&ok);
        if (!ok || richiesta.primaRigaCsv < 1) {
            err << "Prima riga dati non valida: " << opzioni->valore(QStringLiteral("--prima-riga"))
                << Qt::endl;
            return Uscita::fallito;
        }
    }
    if (auto esito = ControllaSovrascrittura(richiesta.fileComunicazione,
                                             opzioni->ha(QStringLiteral("--sovrascrivi")));
        !esito) {
        err << esito.errore() << Qt::endl;
        return Uscita::fallito;
    }

    auto risultato = LeggiFoglio(ambiente.db(), richiesta);
    if (!risultato) {
        err << "Errore Lettura foglio: " << risultato.errore() << Qt::endl;
        return Uscita::fallito;
    }
    if (risultato->erroriPresenti) {
        out << "Comunicazione " << richiesta.fileComunicazione << " creata CON ERRORI. ("
            << risultato->recordB
            << " record)\nErrori in: " << QDir::toNativeSeparators(risultato->fileErrori)
            << Qt::endl;
        return Uscita::erroriNeiDati;
    }
    out << "Comunicazione " << richiesta.fileComunicazione << " creata con successo. ("
        << risultato->recordB << " record)" << Qt::endl;
    return Uscita::fatto;
}
