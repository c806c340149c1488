#include "backup/ScriviArchivio.h"

#include "backup/FormatoArchivio.h"
#include "backup/ValoriArchivio.h"
#include "base/Cp1252.h"
#include "base/ErroreSistema.h"
#include "storage/Apici.h"
#include "storage/Connessione.h"
#include "storage/TipiCampo.h"

#include <QDir>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

struct TabellaArchivio
{
    const QString& nome;
    QString colonnaAgenzia;
};

EsitoVuoto aggiungiRighe(const Connessione& connessione, const TabellaArchivio& tabella,
                         const QString& codice, QByteArray& contenuto,
                         const std::function<void()>& passo)
{
    auto colonne = colonneTabella(connessione, tabella.nome);
    if (!colonne)
        return Errore{colonne.errore()};
    auto query = connessione.esegui(QStringLiteral("SELECT * From ") + tabella.nome +
                                    QStringLiteral(" WHERE ") + tabella.colonnaAgenzia +
                                    QLatin1Char('=') + Sql::Apici(codice));
    if (!query)
        return Errore{query.errore()};
    QSqlQuery& righe = query.valore();
    bool prima = true;
    while (righe.next()) {
        if (prima && passo)
            passo();
        prima = false;
        const QSqlRecord record = righe.record();
        if (record.count() != colonne->size())
            return Errore{
                QStringLiteral("La tabella %1 ha cambiato colonne durante il salvataggio.")
                    .arg(tabella.nome)};
        QStringList valori;
        for (int i = 0; i < record.count(); ++i) {
            QString testo = ValoriArchivio::testo(record.value(i), colonne->at(i).tipo);
            if (!Archivio::valoreScrivibile(testo))
                return Errore{
                    QStringLiteral(
                        "L'agenzia %1 non può essere salvata: il campo %2 della tabella %3 "
                        "contiene il carattere \"%4\" o un a capo, che l'archivio di backUp "
                        "non può contenere. Correggere il dato e ripetere il salvataggio.")
                        .arg(codice, colonne->at(i).nome, tabella.nome,
                             QChar(Archivio::Separatore))};
            valori.append(std::move(testo));
        }
        Cp1252::codificaIn(Archivio::componi(tabella.nome, valori), contenuto);
        contenuto.append("\r\n");
    }
    if (righe.lastError().isValid())
        return Errore{Connessione::descrizione(righe.lastError())};
    return {};
}

} // namespace

EsitoVuoto ScriviArchivio(const Connessione& connessione, const QString& percorso,
                          const QString& codice, const std::function<void()>& passo)
{
    QByteArray contenuto;
    for (const TabellaArchivio& tabella :
         {TabellaArchivio{Archivio::COPE, QStringLiteral("OCOD")},
          TabellaArchivio{Archivio::CTAB, QStringLiteral("COD")}}) {
        if (auto esito = aggiungiRighe(connessione, tabella, codice, contenuto, passo); !esito)
            return esito;
    }

    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size() ||
        !file.commit())
        return Errore{QStringLiteral("Impossibile scrivere il file %1: %2")
                          .arg(QDir::toNativeSeparators(percorso), ErroreSistema::descrivi(file))};
    return {};
}
