#include "cli/ComandoSalva.h"

#include "backup/NomiArchivio.h"
#include "backup/ScriviArchivio.h"
#include "shell/Ambiente.h"
#include "storage/Apici.h"

#include <QDir>
#include <QSqlQuery>
#include <QTextStream>

namespace {

// The agency's name as the agency window shows it: company name, or surname
// and first name joined without a blank.
Esito<QString> nomeAgenzia(const Connessione& connessione, const QString& codice)
{
    auto query = connessione.esegui(
        QStringLiteral("SELECT ORAG, OCOG, ONOME From COPE WHERE OCOD=") + Sql::Apici(codice));
    if (!query)
        return Errore{query.errore()};
    if (!query.valore().next())
        return Errore{QStringLiteral("Agenzia %1 non trovata.").arg(codice)};
    const QString ragione = query.valore().value(0).toString().trimmed();
    if (!ragione.isEmpty())
        return ragione;
    return query.valore().value(1).toString().trimmed() +
           query.valore().value(2).toString().trimmed();
}

} // namespace

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
    const auto nome = nomeAgenzia(ambiente.db(), codice);
    if (!nome) {
        err << nome.errore() << Qt::endl;
        return Uscita::fallito;
    }
    if (percorso.isEmpty())
        percorso = QDir::current().filePath(NomiArchivio::salvataggio(*nome));
    if (const auto esito = ScriviArchivio(ambiente.db(), percorso, codice); !esito) {
        err << esito.errore() << Qt::endl;
        return Uscita::fallito;
    }
    out << "Creazione file di BackUP terminata: " << QDir::toNativeSeparators(percorso) << Qt::endl;
    return Uscita::fatto;
}
