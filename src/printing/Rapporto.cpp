#include "printing/Rapporto.h"

#include "base/ErroreSistema.h"
#include "base/Orologio.h"
#include "storage/Connessione.h"
#include "storage/Database.h"

#include <QDir>
#include <QPdfWriter>
#include <QSaveFile>

void Rapporto::impostaParametro(const QString& nome, const QString& valore)
{
    m_parametri.insert(nome.toUpper(), valore);
}

void Rapporto::impostaSqlDataset(const QString& dataset, const QString& sql)
{
    m_sql.insert(dataset.toUpper(), sql);
}

void Rapporto::impostaConnessione(const QString& alias, const QString& stringaConnessione)
{
    m_connessioni.insert(alias.toUpper(), stringaConnessione);
}

EsitoVuoto Rapporto::esegui(const SeguitoStampa& seguito)
{
    m_documento.reset();
    if (m_file.isEmpty())
        return Errore{QStringLiteral("Nessun modello di stampa indicato."),
                      CodiceStampa::ModelloMancante};
    auto letto = LetturaModello::daFile(m_file);
    if (!letto)
        return letto.dettaglio();
    ModelloStampa modello = std::move(letto).valore();

    const QString dataset = modello.dataset.toUpper();
    const QString alias = modello.connessione.toUpper();
    for (auto it = m_sql.cbegin(); it != m_sql.cend(); ++it) {
        if (it.key() != dataset)
            return Errore{QStringLiteral("Il modello non ha il dataset %1.").arg(it.key()),
                          CodiceStampa::NomeSconosciuto};
    }
    for (auto it = m_connessioni.cbegin(); it != m_connessioni.cend(); ++it) {
        if (it.key() != alias)
            return Errore{QStringLiteral("Il modello non ha la connessione %1.").arg(it.key()),
                          CodiceStampa::NomeSconosciuto};
    }
    const QString sql = m_sql.value(dataset, modello.sql);
    if (sql.trimmed().isEmpty())
        return Errore{
            QStringLiteral("Il dataset %1 non ha un'istruzione SQL.").arg(modello.dataset),
            CodiceStampa::NomeSconosciuto};
    if (!m_connessioni.contains(alias))
        return Errore{
            QStringLiteral("La connessione %1 non è stata impostata.").arg(modello.connessione),
            CodiceStampa::NomeSconosciuto};

    const QString fileDatabase = Connessione::fileDaStringaConnessione(m_connessioni.value(alias));
    if (fileDatabase.isEmpty())
        return Errore{QStringLiteral("La stringa di connessione di %1 non indica il database.")
                          .arg(modello.connessione),
                      CodiceStampa::Connessione};
    auto connessione = Database::apriEsistente(fileDatabase);
    if (!connessione)
        return Errore{connessione.errore(), CodiceStampa::Connessione};

    auto documento =
        std::make_unique<DocumentoStampa>(std::move(modello), m_parametri, Orologio::oggi());
    {
        auto query = connessione.valore()->esegui(sql);
        if (!query)
            return Errore{query.errore(), CodiceStampa::Dati};
        if (auto letti = documento->leggi(query.valore(), seguito); !letti)
            return letti;
    } // the query ends before its connection closes
    m_documento = std::move(documento);
    return {};
}

Esito<int> Rapporto::salvaPdf(const QString& percorso, const SeguitoStampa& seguito)
{
    if (auto eseguito = esegui(seguito); !eseguito)
        return eseguito.dettaglio();
    const QString nome = QDir::toNativeSeparators(percorso);
    // Drawn into a temporary file and put in place only when complete, so a
    // failure never leaves half a PDF where the old one was.
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return Errore{QStringLiteral("Impossibile scrivere il file %1: %2")
                          .arg(nome, ErroreSistema::descrivi(file)),
                      CodiceStampa::Scrittura};
    Esito<int> pagine = 0;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("ZEFIRANTE"));
        pdf.setTitle(m_documento->titolo());
        pdf.setPageLayout(m_documento->modello().impaginazione());
        pagine = m_documento->disegna(pdf, seguito);
    }
    if (!pagine) {
        file.cancelWriting();
        return pagine;
    }
    if (!file.commit())
        return Errore{QStringLiteral("Impossibile scrivere il file %1: %2")
                          .arg(nome, ErroreSistema::descrivi(file)),
                      CodiceStampa::Scrittura};
    return pagine;
}
