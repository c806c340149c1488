#include "communication/DatiAgenzia.h"

#include "storage/Apici.h"
#include "storage/Connessione.h"

#include <QSqlQuery>
#include <QSqlRecord>

Esito<DatiAgenzia> LeggiAgenzia(const Connessione& connessione, const QString& codice)
{
    auto query =
        connessione.esegui(QStringLiteral("SELECT * From COPE WHERE OCOD=") + Sql::Apici(codice));
    if (!query)
        return Errore{query.errore()};
    QSqlQuery& q = query.valore();
    if (!q.next())
        return Errore{QStringLiteral("Agenzia non trovata: ") + codice};

    // As the agency window shows a stored row: a Null column is empty text.
    const auto testo = [&q](const char* colonna) {
        return q.value(q.record().indexOf(QLatin1String(colonna))).toString().trimmed();
    };
    DatiAgenzia dati;
    dati.codiceFiscale = testo("OCF");
    dati.partitaIva = testo("OPIVA");
    dati.personaFisica = testo("OSTP").compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
    if (dati.personaFisica) {
        dati.cognome = testo("OCOG");
        dati.nome = testo("ONOME");
        dati.sesso = testo("OSEX");
        dati.dataNascita = testo("ONDT");
        dati.comuneNascita = testo("ONCOM");
        dati.provinciaNascita = testo("ONPRO");
        dati.cittadinanza = testo("OCITTAD");
        dati.comuneDomicilio = testo("ODCOM");
        dati.provinciaDomicilio = testo("ODPRO");
    } else {
        dati.comuneSede = testo("OSCOM");
        dati.provinciaSede = testo("OSPRO");
    }
    dati.ragioneSociale = testo("ORAG");
    return dati;
}
