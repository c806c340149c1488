#include "cli/ComandoSalva.h"

#include "backup/NomiArchivio.h"
#include "backup/ScriviArchivio.h"
#include "cli/OpzioniComunicazione.h"
#include "registry/ArchivioAgenzie.h"
#include "shell/Ambiente.h"

#include <QDir>
#include <QTextStream>

QList<Opzione> ComandoSalva::opzioni() const
{
    return {OpzioniComuni::agenzia(),
            Opzione::conValore(QStringLiteral("output"), QStringLiteral("FILE"),
                               QStringLiteral("archivio da scrivere (predefinito: "
                                              "SAVE_<nome>_<aaaammgg>.ZFOAM nella cartella "
                                              "corrente)"))};
}

int ComandoSalva::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                         QTextStream& err)
{
    if (segnalaErrore(argomenti.soloOpzioni(), err))
        return Uscita::fallito;
    const QString codice = argomenti.valore(QStringLiteral("agenzia")).trimmed();
    QString percorso = argomenti.valore(QStringLiteral("output"));
    if (codice.isEmpty()) {
        err << "Indicare l'agenzia con --agenzia CODICE_FISCALE." << Qt::endl;
        return Uscita::fallito;
    }
    const auto agenzia = ArchivioAgenzie::nome(ambiente.db(), codice);
    if (segnalaErrore(agenzia, err))
        return Uscita::fallito;
    if (!agenzia.valore()) {
        err << "Agenzia " << codice << " non trovata." << Qt::endl;
        return Uscita::fallito;
    }
    if (percorso.isEmpty())
        percorso = QDir::current().filePath(NomiArchivio::salvataggio(agenzia.valore()->nome));
    if (segnalaErrore(ScriviArchivio(ambiente.db(), percorso, codice), err))
        return Uscita::fallito;
    out << "Creazione file di BackUP terminata: " << QDir::toNativeSeparators(percorso) << Qt::endl;
    return Uscita::fatto;
}
