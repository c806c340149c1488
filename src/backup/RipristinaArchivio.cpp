#include "backup/RipristinaArchivio.h"

#include "backup/FormatoArchivio.h"
#include "backup/NomiArchivio.h"
#include "backup/ScriviArchivio.h"
#include "backup/ValoriArchivio.h"
#include "base/ErroreSistema.h"
#include "registry/ArchivioAgenzie.h"
#include "storage/Apici.h"
#include "storage/Connessione.h"
#include "storage/TipiCampo.h"
#include "storage/Transazione.h"

#include <QDir>
#include <QFile>

namespace {

// The first line of an archive is short; this much is enough to read it
// whatever else the file holds.
constexpr qint64 LunghezzaPrimaRiga = 64 * 1024;

Esito<QByteArray> leggiFile(const QString& percorso, qint64 massimo = -1)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return Errore{QStringLiteral("Impossibile leggere il file %1: %2")
                          .arg(QDir::toNativeSeparators(percorso), ErroreSistema::descrivi(file))};
    QByteArray contenuto = massimo < 0 ? file.readAll() : file.read(massimo);
    if (file.error() != QFileDevice::NoError)
        return Errore{QStringLiteral("Impossibile leggere il file %1: %2")
                          .arg(QDir::toNativeSeparators(percorso), ErroreSistema::descrivi(file))};
    return contenuto;
}

Errore erroreRiga(const Archivio::Riga& riga, const QString& descrizione)
{
    return Errore{QStringLiteral("Riga %1 dell'archivio: %2").arg(riga.numero).arg(descrizione)};
}

bool stessoCodice(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// One archive line turned into the values to store, checked against the
// table before the database is touched.
struct Operazione
{
    QString tabella;
    Connessione::Valori valori;
};

class Ripristino
{
public:
    Ripristino(const Connessione& connessione, QString codice)
        : m_connessione(connessione), m_codice(std::move(codice))
    {
    }

    EsitoVuoto carica()
    {
        auto cope = colonneTabella(m_connessione, Archivio::COPE);
        if (!cope)
            return Errore{cope.errore()};
        auto ctab = colonneTabella(m_connessione, Archivio::CTAB);
        if (!ctab)
            return Errore{ctab.errore()};
        m_cope = std::move(cope).valore();
        m_ctab = std::move(ctab).valore();
        return {};
    }

    Esito<Operazione> prepara(const Archivio::Riga& riga) const
    {
        if (riga.tabella == Archivio::CTAB)
            return preparaCtab(riga);
        if (riga.tabella == Archivio::COPE)
            return preparaCope(riga);
        // Only an agency's own tables belong in its archive: anything else is
        // a damaged line (a value broken by a line end reads as a table name).
        return erroreRiga(
            riga, QStringLiteral("\"%1\" non è una tabella dell'archivio.").arg(riga.tabella));
    }

    EsitoVuoto applica(const Operazione& operazione) const
    {
        if (operazione.tabella == Archivio::COPE)
            return ArchivioAgenzie::aggiungiRiga(m_connessione, operazione.valori);
        // A code table row: the description of an existing row changes,
        // a missing row is added.
        const QString tipo = operazione.valori.at(0).second.toString();
        const QString cod = operazione.valori.at(1).second.toString();
        const QString condizione = QStringLiteral("TIPO=") + Sql::Apici(tipo) +
                                   QStringLiteral(" AND COD=") + Sql::Apici(cod);
        auto esiste =
            m_connessione.haRighe(QStringLiteral("SELECT *  FROM CTAB WHERE ") + condizione);
        if (!esiste)
            return Errore{esiste.errore()};
        if (*esiste)
            return m_connessione.aggiorna(Archivio::CTAB, {operazione.valori.at(2)}, condizione);
        return m_connessione.inserisci(Archivio::CTAB, operazione.valori);
    }

private:
    Esito<Operazione> preparaCope(const Archivio::Riga& riga) const
    {
        if (riga.valori.size() > m_cope.size())
            return erroreRiga(riga, QStringLiteral("%1 valori, ma la tabella COPE ha %2 colonne.")
                                        .arg(riga.valori.size())
                                        .arg(m_cope.size()));
        Operazione operazione{Archivio::COPE, {}};
        for (qsizetype i = 0; i < riga.valori.size(); ++i) {
            const Colonna& colonna = m_cope.at(i);
            auto valore = ValoriArchivio::valore(riga.valori.at(i), colonna.tipo);
            if (!valore)
                return erroreRiga(
                    riga, QStringLiteral("campo %1: %2").arg(colonna.nome, valore.errore()));
            if (colonna.nome.compare(QLatin1String("OCOD"), Qt::CaseInsensitive) == 0 &&
                !stessoCodice(riga.valori.at(i), m_codice))
                return erroreRiga(riga,
                                  QStringLiteral("l'agenzia %1 non è quella dell'archivio (%2).")
                                      .arg(riga.valori.at(i).trimmed(), m_codice));
            operazione.valori.emplace_back(colonna.nome, std::move(valore).valore());
        }
        return operazione;
    }

    Esito<Operazione> preparaCtab(const Archivio::Riga& riga) const
    {
        static const QString nomi[] = {QStringLiteral("TIPO"), QStringLiteral("COD"),
                                       QStringLiteral("DES")};
        if (riga.valori.size() != 3)
            return erroreRiga(
                riga, QStringLiteral("una riga CTAB ha 3 valori (tipo, codice, descrizione), "
                                     "questa ne ha %1.")
                          .arg(riga.valori.size()));
        // The safety copy holds only this agency's rows: a row of another
        // agency would change data that nothing could bring back.
        if (!stessoCodice(riga.valori.at(1), m_codice))
            return erroreRiga(riga,
                              QStringLiteral("la riga CTAB appartiene all'agenzia %1, non a %2.")
                                  .arg(riga.valori.at(1).trimmed(), m_codice));
        Operazione operazione{Archivio::CTAB, {}};
        for (int i = 0; i < 3; ++i) {
            TipoCampo tipo = TipoCampo::Testo;
            for (const Colonna& colonna : m_ctab) {
                if (colonna.nome.compare(nomi[i], Qt::CaseInsensitive) == 0)
                    tipo = colonna.tipo;
            }
            auto valore = ValoriArchivio::valore(riga.valori.at(i), tipo);
            if (!valore)
                return erroreRiga(riga,
                                  QStringLiteral("campo %1: %2").arg(nomi[i], valore.errore()));
            operazione.valori.emplace_back(nomi[i], std::move(valore).valore());
        }
        return operazione;
    }

    const Connessione& m_connessione;
    QString m_codice;
    QList<Colonna> m_cope;
    QList<Colonna> m_ctab;
};

} // namespace

Esito<IntestazioneArchivio> LeggiIntestazione(const QString& percorso)
{
    auto contenuto = leggiFile(percorso, LunghezzaPrimaRiga);
    if (!contenuto)
        return Errore{Archivio::NonArchivio};
    const QString prima = Archivio::primaRiga(*contenuto);
    if (!Archivio::eArchivio(prima))
        return Errore{Archivio::NonArchivio};
    const Archivio::Riga riga = Archivio::dividi(prima, 1);
    IntestazioneArchivio intestazione;
    intestazione.codice = riga.valori.value(0).trimmed();
    if (intestazione.codice.isEmpty())
        return Errore{Archivio::NonArchivio};
    intestazione.descrizione = riga.valori.value(0) + QLatin1Char(' ') + riga.valori.value(1);
    return intestazione;
}

Esito<EsitoRipristino> RipristinaArchivio(const Connessione& connessione, const QString& percorso,
                                          const QString& cartellaApplicazione,
                                          const std::function<void()>& passo)
{
    auto contenuto = leggiFile(percorso);
    if (!contenuto)
        return Errore{contenuto.errore()};
    auto righe = Archivio::leggiRighe(*contenuto);
    if (!righe)
        return Errore{righe.errore()};

    EsitoRipristino esito;
    esito.codice = righe->front().valori.front().trimmed();
    esito.copiaSicurezza = NomiArchivio::copiaSicurezza(cartellaApplicazione, esito.codice);
    if (auto copia = ScriviArchivio(connessione, esito.copiaSicurezza, esito.codice); !copia)
        return Errore{QStringLiteral("Copia di sicurezza non riuscita, ripristino annullato. ") +
                      copia.errore()};

    Ripristino ripristino(connessione, esito.codice);
    if (auto caricato = ripristino.carica(); !caricato)
        return Errore{caricato.errore()};
    QList<Operazione> operazioni;
    operazioni.reserve(righe->size());
    for (const Archivio::Riga& riga : *righe) {
        auto operazione = ripristino.prepara(riga);
        if (!operazione)
            return Errore{operazione.errore()};
        operazioni.append(std::move(operazione).valore());
    }

    Transazione transazione(connessione);
    if (!transazione.aperta())
        return Errore{QStringLiteral(
            "Impossibile iniziare il ripristino: il database non accetta modifiche.")};
    if (auto cancellato = ArchivioAgenzie::eliminaPerRipristino(connessione, esito.codice);
        !cancellato)
        return Errore{cancellato.errore()};
    for (qsizetype i = 0; i < operazioni.size(); ++i) {
        if (auto applicato = ripristino.applica(operazioni.at(i)); !applicato)
            return erroreRiga(righe->at(i), applicato.errore());
        if (passo)
            passo();
        ++esito.righe;
    }
    if (auto confermato = transazione.conferma(); !confermato)
        return Errore{confermato.errore()};
    return esito;
}
