#include "cli/ComandoStampa.h"

#include "base/Orologio.h"
#include "printing/ElenchiAnnuali.h"
#include "printing/Rapporto.h"
#include "shell/Ambiente.h"
#include "storage/Apici.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

using ElenchiAnnuali::Elenco;

namespace {

struct Opzioni
{
    QString agenzia;
    QString elenco;
    QString anno;
    QString pdf;
};

bool leggiOpzioni(const QStringList& argomenti, Opzioni& opzioni, QTextStream& err)
{
    const std::pair<const char*, QString*> note[] = {{"--agenzia", &opzioni.agenzia},
                                                     {"--elenco", &opzioni.elenco},
                                                     {"--anno", &opzioni.anno},
                                                     {"--pdf", &opzioni.pdf}};
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        QString* destinazione = nullptr;
        for (const auto& [nome, campo] : note) {
            if (argomenti[i] == QLatin1String(nome))
                destinazione = campo;
        }
        if (!destinazione) {
            err << "Argomento non previsto: " << argomenti[i] << Qt::endl;
            return false;
        }
        if (++i == argomenti.size()) {
            err << "Manca il valore dopo " << argomenti[i - 1] << '.' << Qt::endl;
            return false;
        }
        *destinazione = argomenti[i];
    }
    if (opzioni.agenzia.isEmpty() || opzioni.elenco.isEmpty() || opzioni.pdf.isEmpty()) {
        err << "Servono --agenzia, --elenco e --pdf." << Qt::endl;
        return false;
    }
    return true;
}

} // namespace

int ComandoStampa::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                          QTextStream& err)
{
    Opzioni opzioni;
    if (!leggiOpzioni(argomenti, opzioni, err))
        return Uscita::fallito;

    Elenco elenco;
    if (opzioni.elenco.compare(QLatin1String("operazioni"), Qt::CaseInsensitive) == 0)
        elenco = Elenco::Operazioni;
    else if (opzioni.elenco.compare(QLatin1String("note"), Qt::CaseInsensitive) == 0)
        elenco = Elenco::NoteVariazione;
    else {
        err << "Elenco sconosciuto: " << opzioni.elenco << " (operazioni o note)" << Qt::endl;
        return Uscita::fallito;
    }

    const QString anno = opzioni.anno.isEmpty() ? QString::number(Orologio::oggi().year() - 1)
                                                : opzioni.anno.trimmed();
    if (!ElenchiAnnuali::annoValido(anno)) {
        err << ElenchiAnnuali::messaggioAnnoNonValido << Qt::endl;
        return Uscita::fallito;
    }

    // The agency as the agency window would publish it: company name, or
    // surname and first name joined without a blank.
    auto query = ambiente.db().esegui(
        QStringLiteral("SELECT OCOD, ORAG, OCOG, ONOME FROM COPE WHERE OCOD=") +
        Sql::Apici(opzioni.agenzia.trimmed()));
    if (!query) {
        err << query.errore() << Qt::endl;
        return Uscita::fallito;
    }
    if (!query.valore().next()) {
        err << "Agenzia non trovata: " << opzioni.agenzia << Qt::endl;
        return Uscita::fallito;
    }
    ambiente.agenziaCorrente.codice = query.valore().value(0).toString();
    ambiente.agenziaCorrente.nome = query.valore().value(1).toString().trimmed();
    if (ambiente.agenziaCorrente.nome.isEmpty())
        ambiente.agenziaCorrente.nome = query.valore().value(2).toString().trimmed() +
                                        query.valore().value(3).toString().trimmed();

    const QString percorso = ElenchiAnnuali::conEstensionePdf(opzioni.pdf);
    Rapporto rapporto;
    ElenchiAnnuali::PreparaStampa(rapporto, elenco, anno, contestoStampa(ambiente));
    const auto pagine = rapporto.salvaPdf(percorso);
    if (!pagine) {
        err << "Listato PDF: " << QDir::toNativeSeparators(rapporto.fileRapporto())
            << " Errore: " << pagine.dettaglio().numero << "  " << pagine.errore()
            << Qt::endl;
        return Uscita::fallito;
    }
    out << "Creato " << QDir::toNativeSeparators(QFileInfo(percorso).absoluteFilePath()) << ": "
        << "righe " << rapporto.documento()->righe() << ", pagine " << pagine.valore() << '\n';
    out.flush();
    return Uscita::fatto;
}
