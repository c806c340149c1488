#include "cli/ComandoSalva.h"

#include "backup/NomiArchivio.h"
#include "backup/ScriviArchivio.h"
#include "registry/ArchivioAgenzie.h"
#include "shell/Ambiente.h"

#include <QDir>
#include <QTextStream>

int ComandoSalva::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                         QTextStream& err)
{
    QString codice, percorso;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti[i];
        QString* destinazione = a == QLatin1String("--agenzia")  ? &codice
                                : a == QLatin1String("--output") ? &percorso
                                                                 : nullptr;
        if (!destinazione) {
            err << "Argomento non previsto: " << a << Qt::endl;
            return Uscita::fallito;
        }
        if (++i == argomenti.size()) {
            err << "Manca il valore dopo " << a << '.' << Qt::endl;
            return Uscita::fallito;
        }
        *destinazione = argomenti[i];
    }
    codice = codice.trimmed();
    if (codice.isEmpty()) {
        err << "Indicare l'agenzia con --agenzia CODICE_FISCALE." << Qt::endl;
        return Uscita::fallito;
    }
    const auto agenzia = ArchivioAgenzie::nome(ambiente.db(), codice);
    if (!agenzia) {
        err << agenzia.errore() << Qt::endl;
        return Uscita::fallito;
    }
    if (!agenzia.valore()) {
        err << "Agenzia " << codice << " non trovata." << Qt::endl;
        return Uscita::fallito;
    }
    if (percorso.isEmpty())
        percorso = QDir::current().filePath(NomiArchivio::salvataggio(agenzia.valore()->nome));
    if (const auto esito = ScriviArchivio(ambiente.db(), percorso, codice); !esito) {
        err << esito.errore() << Qt::endl;
        return Uscita::fallito;
    }
    out << "Creazione file di BackUP terminata: " << QDir::toNativeSeparators(percorso) << Qt::endl;
    return Uscita::fatto;
}
