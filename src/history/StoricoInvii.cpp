#include "history/StoricoInvii.h"

#include "base/ErroreSistema.h"
#include "base/Orologio.h"
#include "storage/Apici.h"
#include "storage/Connessione.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>

namespace {

const QString kTabella = QStringLiteral("STORICO_INVII");

// The time written is kept as ISO text, so that its order is the order of the rows.
const QString kFormatoOra = QStringLiteral("yyyy-MM-ddTHH:mm:ss");

const QString kColonne =
    QStringLiteral("OCOD, ANNO, MESE, TIPO, PERCORSO, SCRITTO, RECORD_B, RIGHE_ERRORI, SHA256");

Esito<QByteArray> sha256(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return Errore{QStringLiteral("Impossibile leggere il file ") +
                      QDir::toNativeSeparators(percorso) + QStringLiteral(": ") +
                      ErroreSistema::descrivi(file)};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return Errore{QStringLiteral("Impossibile leggere il file ") +
                      QDir::toNativeSeparators(percorso) + QStringLiteral(": ") +
                      ErroreSistema::descrivi(file)};
    return hash.result();
}

QString codiceTipo(StoricoInvii::Tipo tipo)
{
    return StoricoInvii::testoTipo(tipo).toUpper();
}

StoricoInvii::Tipo tipoDaCodice(const QString& codice)
{
    using StoricoInvii::Tipo;
    if (codice == QLatin1String("SOSTITUTIVA"))
        return Tipo::sostitutiva;
    if (codice == QLatin1String("VUOTA"))
        return Tipo::vuota;
    return Tipo::ordinaria;
}

// One row of a SELECT of kColonne.
StoricoInvii::Invio leggiRiga(const QSqlQuery& query)
{
    StoricoInvii::Invio invio;
    invio.agenzia = query.value(0).toString();
    invio.anno = query.value(1).toInt();
    invio.mese = query.value(2).toInt();
    invio.tipo = tipoDaCodice(query.value(3).toString());
    invio.percorso = query.value(4).toString();
    invio.scritto = QDateTime::fromString(query.value(5).toString(), kFormatoOra);
    invio.recordB = query.value(6).toLongLong();
    invio.righeErrori = query.value(7).toLongLong();
    invio.sha256 = QByteArray::fromHex(query.value(8).toString().toLatin1());
    return invio;
}

Esito<QList<StoricoInvii::Invio>> seleziona(const Connessione& connessione,
                                            const QString& condizione, const QString& limite)
{
    // Newest first; rows stamped in the same second keep the order they were written in.
    auto query =
        connessione.esegui(QStringLiteral("SELECT ") + kColonne + QStringLiteral(" FROM ") +
                           kTabella + QStringLiteral(" WHERE ") + condizione +
                           QStringLiteral(" ORDER BY SCRITTO DESC, ID DESC") + limite);
    if (!query)
        return Errore{query.errore()};
    QList<StoricoInvii::Invio> invii;
    while (query.valore().next())
        invii << leggiRiga(query.valore());
    return invii;
}

} // namespace

namespace StoricoInvii {

QString testoTipo(Tipo tipo)
{
    switch (tipo) {
    case Tipo::ordinaria:
        return QStringLiteral("ordinaria");
    case Tipo::sostitutiva:
        return QStringLiteral("sostitutiva");
    case Tipo::vuota:
        return QStringLiteral("vuota");
    }
    return {};
}

Tipo tipoDaInvio(QChar tipoInvio)
{
    return tipoInvio == QLatin1Char('1') ? Tipo::sostitutiva : Tipo::ordinaria;
}

EsitoVuoto prepara(const Connessione& connessione)
{
    for (const QString& istruzione :
         {QStringLiteral("CREATE TABLE IF NOT EXISTS ") + kTabella +
              QStringLiteral(" (ID INTEGER PRIMARY KEY AUTOINCREMENT, OCOD TEXT NOT NULL, "
                             "ANNO INTEGER NOT NULL, MESE INTEGER NOT NULL, TIPO TEXT NOT NULL, "
                             "PERCORSO TEXT NOT NULL, SCRITTO TEXT NOT NULL, "
                             "RECORD_B INTEGER NOT NULL, RIGHE_ERRORI INTEGER NOT NULL, "
                             "SHA256 TEXT NOT NULL)"),
          QStringLiteral("CREATE INDEX IF NOT EXISTS STORICO_INVII_PERIODO ON ") + kTabella +
              QStringLiteral(" (OCOD, ANNO, MESE)")}) {
        if (auto esito = connessione.esegui(istruzione); !esito)
            return Errore{esito.errore()};
    }
    return {};
}

EsitoVuoto registra(const Connessione& connessione, Invio invio)
{
    auto impronta = sha256(invio.percorso);
    if (!impronta)
        return Errore{impronta.errore()};
    invio.sha256 = std::move(impronta).valore();
    invio.scritto = Orologio::adesso();
    return connessione.inserisci(
        kTabella, {{QStringLiteral("OCOD"), invio.agenzia},
                   {QStringLiteral("ANNO"), invio.anno},
                   {QStringLiteral("MESE"), invio.mese},
                   {QStringLiteral("TIPO"), codiceTipo(invio.tipo)},
                   {QStringLiteral("PERCORSO"), QDir::cleanPath(invio.percorso)},
                   {QStringLiteral("SCRITTO"), invio.scritto.toString(kFormatoOra)},
                   {QStringLiteral("RECORD_B"), invio.recordB},
                   {QStringLiteral("RIGHE_ERRORI"), invio.righeErrori},
                   {QStringLiteral("SHA256"), QString::fromLatin1(invio.sha256.toHex())}});
}

Esito<QList<Invio>> elenco(const Connessione& connessione, const QString& agenzia)
{
    return seleziona(connessione, QStringLiteral("OCOD = ") + Sql::Apici(agenzia), QString());
}

Esito<std::optional<Invio>> ultimo(const Connessione& connessione, const QString& agenzia, int anno,
                                   int mese)
{
    auto invii = seleziona(connessione,
                           QStringLiteral("OCOD = %1 AND ANNO = %2 AND MESE = %3")
                               .arg(Sql::Apici(agenzia))
                               .arg(anno)
                               .arg(mese),
                           QStringLiteral(" LIMIT 1"));
    if (!invii)
        return Errore{invii.errore()};
    if (invii->isEmpty())
        return std::optional<Invio>();
    return std::optional<Invio>(invii->first());
}

Stato stato(const std::optional<Invio>& ultimo)
{
    if (!ultimo)
        return Stato::mancante;
    if (ultimo->tipo == Tipo::vuota)
        return Stato::vuota;
    return ultimo->righeErrori > 0 ? Stato::conErrori : Stato::creata;
}

bool fatta(Stato stato)
{
    return stato == Stato::creata || stato == Stato::vuota;
}

QString testoStato(Stato stato)
{
    switch (stato) {
    case Stato::creata:
        return QStringLiteral("creata");
    case Stato::vuota:
        return QStringLiteral("vuota");
    case Stato::conErrori:
        return QStringLiteral("con errori");
    case Stato::mancante:
        return QStringLiteral("mancante");
    }
    return {};
}

Verifica verifica(const Invio& invio)
{
    if (!QFile::exists(invio.percorso))
        return Verifica::mancante;
    auto impronta = sha256(invio.percorso);
    return impronta && *impronta == invio.sha256 ? Verifica::integro : Verifica::modificato;
}

QString testoVerifica(Verifica verifica)
{
    switch (verifica) {
    case Verifica::integro:
        return QStringLiteral("integro");
    case Verifica::modificato:
        return QStringLiteral("modificato");
    case Verifica::mancante:
        return QStringLiteral("mancante");
    }
    return {};
}

} // namespace StoricoInvii
