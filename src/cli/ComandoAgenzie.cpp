#include "cli/ComandoAgenzie.h"

#include "shell/Ambiente.h"

#include <QSqlQuery>
#include <QTextStream>

int ComandoAgenzie::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                           QTextStream& err)
{
    if (!argomenti.isEmpty()) {
        err << "Argomento non previsto: " << argomenti.first() << Qt::endl;
        return Uscita::fallito;
    }
    auto query =
        ambiente.db().esegui(QStringLiteral("SELECT COPE.Ocod AS [Codice_Fiscale], COPE.Orag as "
                                            "[Ragione Sociale]  FROM COPE ORDER BY COPE.ORAG"));
    if (!query) {
        err << query.errore() << Qt::endl;
        return Uscita::fallito;
    }
    while (query.valore().next())
        out << query.valore().value(0).toString() << ';' << query.valore().value(1).toString()
            << '\n';
    out.flush();
    return Uscita::fatto;
}
