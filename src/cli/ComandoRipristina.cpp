#include "cli/ComandoRipristina.h"

#include "backup/RipristinaArchivio.h"
#include "shell/Ambiente.h"

#include <QDir>
#include <QTextStream>

int ComandoRipristina::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                              QTextStream& err)
{
    if (argomenti.size() != 1 || argomenti.first().startsWith(QLatin1String("--"))) {
        err << "Uso: zefirante-cli " << uso() << Qt::endl;
        return Uscita::fallito;
    }
    const QString& percorso = argomenti.first();
    const auto intestazione = LeggiIntestazione(percorso);
    if (!intestazione) {
        err << intestazione.errore() << Qt::endl;
        return Uscita::fallito;
    }
    const auto esito = RipristinaArchivio(ambiente.db(), percorso, ambiente.cartella);
    if (!esito) {
        err << esito.errore() << Qt::endl;
        return Uscita::fallito;
    }
    out << "Ripristino terminato: agenzia " << esito->codice << ", " << esito->righe << " righe.\n"
        << "Copia di sicurezza dei dati precedenti: "
        << QDir::toNativeSeparators(esito->copiaSicurezza) << Qt::endl;
    return Uscita::fatto;
}
