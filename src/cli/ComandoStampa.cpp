#include "cli/ComandoStampa.h"

#include "base/Orologio.h"
#include "cli/OpzioniComunicazione.h"
#include "printing/ElenchiAnnuali.h"
#include "printing/Rapporto.h"
#include "registry/ArchivioAgenzie.h"
#include "shell/Ambiente.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

using ElenchiAnnuali::Elenco;

QList<Opzione> ComandoStampa::opzioni() const
{
    return {OpzioniComuni::agenzia(),
            Opzione::conValore(QStringLiteral("elenco"), QStringLiteral("operazioni|note"),
                               QStringLiteral("elenco delle operazioni registrate o delle note di "
                                              "variazione")),
            Opzione::conValore(QStringLiteral("anno"), QStringLiteral("AAAA"),
                               QStringLiteral("anno dell'elenco (predefinito: l'anno scorso)")),
            Opzione::conValore(
                QStringLiteral("pdf"), QStringLiteral("FILE"),
                QStringLiteral("file PDF da scrivere (.PDF aggiunto se manca l'estensione)"))};
}

int ComandoStampa::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                          QTextStream& err)
{
    if (segnalaErrore(argomenti.soloOpzioni(), err))
        return Uscita::fallito;
    const QString codice = argomenti.valore(QStringLiteral("agenzia"));
    const QString nomeElenco = argomenti.valore(QStringLiteral("elenco"));
    const QString testoAnno = argomenti.valore(QStringLiteral("anno"));
    const QString pdf = argomenti.valore(QStringLiteral("pdf"));
    if (codice.isEmpty() || nomeElenco.isEmpty() || pdf.isEmpty()) {
        err << "Servono --agenzia, --elenco e --pdf." << Qt::endl;
        return Uscita::fallito;
    }

    Elenco elenco;
    if (nomeElenco.compare(QLatin1String("operazioni"), Qt::CaseInsensitive) == 0)
        elenco = Elenco::Operazioni;
    else if (nomeElenco.compare(QLatin1String("note"), Qt::CaseInsensitive) == 0)
        elenco = Elenco::NoteVariazione;
    else {
        err << "Elenco sconosciuto: " << nomeElenco << " (operazioni o note)" << Qt::endl;
        return Uscita::fallito;
    }

    const QString anno =
        testoAnno.isEmpty() ? QString::number(Orologio::oggi().year() - 1) : testoAnno.trimmed();
    if (!ElenchiAnnuali::annoValido(anno)) {
        err << ElenchiAnnuali::messaggioAnnoNonValido << Qt::endl;
        return Uscita::fallito;
    }

    // The agency as the agency window would publish it.
    const auto agenzia = ArchivioAgenzie::nome(ambiente.db(), codice.trimmed());
    if (segnalaErrore(agenzia, err))
        return Uscita::fallito;
    if (!agenzia.valore()) {
        err << "Agenzia non trovata: " << codice << Qt::endl;
        return Uscita::fallito;
    }
    ambiente.agenziaCorrente.codice = agenzia.valore()->codice;
    ambiente.agenziaCorrente.nome = agenzia.valore()->nome;

    const QString percorso = ElenchiAnnuali::conEstensionePdf(pdf);
    Rapporto rapporto;
    ElenchiAnnuali::PreparaStampa(rapporto, elenco, anno, contestoStampa(ambiente));
    const auto pagine = rapporto.salvaPdf(percorso);
    if (!pagine) {
        err << "Listato PDF: " << QDir::toNativeSeparators(rapporto.fileRapporto())
            << " Errore: " << pagine.dettaglio().numero << "  " << pagine.errore() << Qt::endl;
        return Uscita::fallito;
    }
    out << "Creato " << QDir::toNativeSeparators(QFileInfo(percorso).absoluteFilePath()) << ": "
        << "righe " << rapporto.documento()->righe() << ", pagine " << pagine.valore() << '\n';
    out.flush();
    return Uscita::fatto;
}
