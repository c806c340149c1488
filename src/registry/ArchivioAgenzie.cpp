#include "registry/ArchivioAgenzie.h"

#include "storage/Apici.h"
#include "storage/Transazione.h"

#include <QSqlRecord>

namespace {

QString testo(const QSqlRecord& riga, const char* colonna)
{
    return riga.value(QString::fromLatin1(colonna)).toString().trimmed();
}

QString condizione(const QString& codice)
{
    return QStringLiteral("OCOD=") + Sql::Apici(codice);
}

Connessione::Valori valori(const Agenzia& a)
{
    const auto v = [](const char* colonna, const QString& valore) {
        return std::pair<QString, QVariant>(QString::fromLatin1(colonna), valore);
    };
    Connessione::Valori risultato{v("OCOD", a.ocod), v("OCF", a.ocf), v("OPIVA", a.opiva)};
    if (!a.personaFisica()) {
        risultato.insert(risultato.end(), {v("ORAG", a.orag), v("OSCOM", a.oscom),
                                           v("OSPRO", a.ospro), v("OSOCOM", a.osocom),
                                           v("OSOPRO", a.osopro), v("OSTP", QStringLiteral("G"))});
        return risultato;
    }
    const QString vuoto;
    risultato.insert(risultato.end(),
                     {v("ORAG", (a.ocog + QLatin1Char(' ') + a.onome).left(70)), v("OSCOM", vuoto),
                      v("OSPRO", vuoto), v("OSOCOM", vuoto), v("OSOPRO", vuoto), v("OCOG", a.ocog),
                      v("ONOME", a.onome), v("OSEX", a.osex), v("ONDT", a.ondt),
                      v("ONCOM", a.oncom), v("ONPRO", a.onpro), v("ODCOM", a.odcom),
                      v("ODPRO", a.odpro), v("OCITTAD", a.ocittad),
                      v("OSTP", QStringLiteral("F"))});
    return risultato;
}

// Over the row of `codice`, or a new row when there is none. `cerca` is the
// statement that looks for it, as each caller has always written it.
EsitoVuoto scrivi(const Connessione& connessione, const QString& cerca, const QString& codice,
                  const Connessione::Valori& valori)
{
    const auto esiste = connessione.haRighe(cerca + condizione(codice));
    if (!esiste)
        return Errore{esiste.errore()};
    return esiste.valore()
               ? connessione.aggiorna(QStringLiteral("COPE"), valori, condizione(codice))
               : connessione.inserisci(QStringLiteral("COPE"), valori);
}

EsitoVuoto eseguiCancellazione(const Connessione& connessione, const QString& sql)
{
    auto eseguita = connessione.esegui(sql);
    if (!eseguita)
        return Errore{eseguita.errore()};
    return {};
}

} // namespace

QString ArchivioAgenzie::sqlElenco()
{
    return QStringLiteral("SELECT COPE.Ocod AS [Codice_Fiscale], COPE.Orag as "
                          "[Ragione Sociale]  FROM COPE ORDER BY COPE.ORAG");
}

Esito<QList<ArchivioAgenzie::Voce>> ArchivioAgenzie::elenco(const Connessione& connessione)
{
    auto query = connessione.esegui(sqlElenco());
    if (!query)
        return Errore{query.errore()};
    QList<Voce> voci;
    while (query.valore().next())
        voci.append({query.valore().value(0).toString(), query.valore().value(1).toString()});
    return voci;
}

Esito<std::optional<ArchivioAgenzie::Voce>> ArchivioAgenzie::nome(const Connessione& connessione,
                                                                  const QString& codice)
{
    auto query = connessione.esegui(
        QStringLiteral("SELECT OCOD, ORAG, OCOG, ONOME FROM COPE WHERE ") + condizione(codice));
    if (!query)
        return Errore{query.errore()};
    QSqlQuery& q = query.valore();
    if (!q.next())
        return std::optional<Voce>();
    return std::optional<Voce>(
        Voce{q.value(0).toString(), nomeVisualizzato(q.value(1).toString(), q.value(2).toString(),
                                                     q.value(3).toString())});
}

Esito<std::optional<Agenzia>> ArchivioAgenzie::carica(const Connessione& connessione,
                                                      const QString& codice)
{
    auto query =
        connessione.esegui(QStringLiteral("SELECT * From COPE WHERE ") + condizione(codice));
    if (!query)
        return Errore{query.errore()};
    if (!query.valore().next())
        return std::optional<Agenzia>();
    const QSqlRecord r = query.valore().record();
    Agenzia a;
    a.ocod = testo(r, "OCOD");
    a.ocf = testo(r, "OCF");
    a.opiva = testo(r, "OPIVA");
    a.orag = testo(r, "ORAG");
    a.ostp = testo(r, "OSTP");
    a.oscom = testo(r, "OSCOM");
    a.ospro = testo(r, "OSPRO");
    a.osocom = testo(r, "OSOCOM");
    a.osopro = testo(r, "OSOPRO");
    a.ocog = testo(r, "OCOG");
    a.onome = testo(r, "ONOME");
    a.osex = testo(r, "OSEX");
    a.ondt = testo(r, "ONDT");
    a.oncom = testo(r, "ONCOM");
    a.onpro = testo(r, "ONPRO");
    a.ocittad = testo(r, "OCITTAD");
    a.odcom = testo(r, "ODCOM");
    a.odpro = testo(r, "ODPRO");
    return std::optional<Agenzia>(std::move(a));
}

Esito<bool> ArchivioAgenzie::presenti(const Connessione& connessione)
{
    return connessione.haRighe(QStringLiteral("SELECT * From COPE"));
}

EsitoVuoto ArchivioAgenzie::salva(const Connessione& connessione, const Agenzia& agenzia)
{
    Transazione transazione(connessione);
    // Busy past the timeout: nothing is written outside the transaction.
    if (!transazione.aperta())
        return transazione.conferma();
    if (auto scritto = scrivi(connessione, QStringLiteral("SELECT * From COPE WHERE "),
                              agenzia.ocod, valori(agenzia));
        !scritto)
        return scritto;
    return transazione.conferma();
}

EsitoVuoto ArchivioAgenzie::scriviRiga(const Connessione& connessione, const QString& codice,
                                       const Connessione::Valori& valori)
{
    return scrivi(connessione, QStringLiteral("SELECT * From COPE where "), codice, valori);
}

EsitoVuoto ArchivioAgenzie::aggiungiRiga(const Connessione& connessione,
                                         const Connessione::Valori& valori)
{
    return connessione.inserisci(QStringLiteral("COPE"), valori);
}

EsitoVuoto ArchivioAgenzie::elimina(const Connessione& connessione, const QString& codice)
{
    return eseguiCancellazione(connessione,
                               QStringLiteral("DELETE From COPE WHERE ") + condizione(codice));
}

EsitoVuoto ArchivioAgenzie::eliminaPerRipristino(const Connessione& connessione,
                                                 const QString& codice)
{
    // Two blanks after DELETE: the restore's statement as it has always been written.
    return eseguiCancellazione(connessione,
                               QStringLiteral("DELETE  From COPE WHERE ") + condizione(codice));
}
