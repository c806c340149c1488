#include "printing/Rapporto.h"

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

EsitoStampa<> Rapporto::esegui()
{
    m_documento.reset();
    if (m_file.isEmpty())
        return ErroreStampa{CodiceStampa::ModelloMancante,
                            QStringLiteral("Nessun modello di stampa indicato.")};
    auto letto = LetturaModello::daFile(m_file);
    if (!letto)
        return letto.errore();
    ModelloStampa modello = std::move(letto).valore();

    const QString dataset = modello.dataset.toUpper();
    const QString alias = modello.connessione.toUpper();
    for (auto it = m_sql.cbegin(); it != m_sql.cend(); ++it) {
        if (it.key() != dataset)
            return ErroreStampa{CodiceStampa::NomeSconosciuto,
                                QStringLiteral("Il modello non ha il dataset %1.").arg(it.key())};
    }
    for (auto it = m_connessioni.cbegin(); it != m_connessioni.cend(); ++it) {
        if (it.key() != alias)
            return ErroreStampa{
                CodiceStampa::NomeSconosciuto,
                QStringLiteral("Il modello non ha la connessione %1.").arg(it.key())};
    }
    const QString sql = m_sql.value(dataset, modello.sql);
    if (sql.trimmed().isEmpty())
        return ErroreStampa{
            CodiceStampa::NomeSconosciuto,
            QStringLiteral("Il dataset %1 non ha un'istruzione SQL.").arg(modello.dataset)};
    if (!m_connessioni.contains(alias))
        return ErroreStampa{
            CodiceStampa::NomeSconosciuto,
            QStringLiteral("La connessione %1 non è stata impostata.").arg(modello.connessione)};

    const QString fileDatabase = Connessione::fileDaStringaConnessione(m_connessioni.value(alias));
    if (fileDatabase.isEmpty())
        return ErroreStampa{
            CodiceStampa::Connessione,
            QStringLiteral("La stringa di connessione di %1 non indica il database.")
                .arg(modello.connessione)};
    auto connessione = Database::apriEsistente(fileDatabase);
    if (!connessione)
        return ErroreStampa{CodiceStampa::Connessione, connessione.errore()};

    auto documento =
        std::make_unique<DocumentoStampa>(std::move(modello), m_parametri, Orologio::oggi());
    {
        auto query = connessione.valore()->esegui(sql);
        if (!query)
            return ErroreStampa{CodiceStampa::Dati, query.errore()};
        if (auto letti = documento->leggi(query.valore()); !letti)
            return letti;
    } // the query ends before its connection closes
    m_documento = std::move(documento);
    return {};
}

EsitoStampa<int> Rapporto::salvaPdf(const QString& percorso)
{
    if (auto eseguito = esegui(); !eseguito)
        return eseguito.errore();
    const QString nome = QDir::toNativeSeparators(percorso);
    // Drawn into a temporary file and put in place only when complete, so a
    // failure never leaves half a PDF where the old one was.
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return ErroreStampa{
            CodiceStampa::Scrittura,
            QStringLiteral("Impossibile scrivere il file %1: %2").arg(nome, file.errorString())};
    EsitoStampa<int> pagine = 0;
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("ZEFIRANTE"));
        pdf.setTitle(m_documento->titolo());
        pdf.setPageLayout(m_documento->modello().impaginazione());
        pagine = m_documento->disegna(pdf);
    }
    if (!pagine) {
        file.cancelWriting();
        return pagine;
    }
    if (!file.commit())
        return ErroreStampa{
            CodiceStampa::Scrittura,
            QStringLiteral("Impossibile scrivere il file %1: %2").arg(nome, file.errorString())};
    return pagine;
}
