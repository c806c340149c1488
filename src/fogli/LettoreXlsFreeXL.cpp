#include "fogli/LettoreXlsFreeXL.h"

#include "fogli/CelleBiff.h"
#include "fogli/TestoCella.h"

#include <QDate>
#include <QFile>
#include <QTemporaryFile>
#include <QTime>
#include <freexl.h>
#include <optional>

namespace {

// FreeXL gives date cells as ISO texts; the sheet shows them the Italian way.
QString dataItaliana(const char* iso, int tipo)
{
    const QString testo = QString::fromLatin1(iso);
    if (tipo == FREEXL_CELL_TIME)
        return testo;
    const QDate giorno = QDate::fromString(testo.left(10), QStringLiteral("yyyy-MM-dd"));
    if (!giorno.isValid())
        return testo;
    QString risultato = giorno.toString(QStringLiteral("dd/MM/yyyy"));
    if (tipo == FREEXL_CELL_DATETIME) {
        const QString ora = testo.mid(11, 8);
        if (!ora.isEmpty() && ora != QLatin1String("00:00:00"))
            risultato += QLatin1Char(' ') + ora;
    }
    return risultato;
}

QString testoNumero(double numero, bool formatoData, bool sistema1904)
{
    if (formatoData)
        if (auto data = TestoCella::data(numero, sistema1904))
            return *data;
    return TestoCella::numero(numero);
}

QString testoValore(const FreeXL_CellValue& valore)
{
    switch (valore.type) {
    case FREEXL_CELL_INT:
        return QString::number(valore.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return TestoCella::numero(valore.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
        return QString::fromUtf8(valore.value.text_value);
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return dataItaliana(valore.value.text_value, valore.type);
    default:
        return {};
    }
}

QString motivo(int codice)
{
    switch (codice) {
    case FREEXL_FILE_NOT_FOUND:
        return QStringLiteral("il file non esiste o non si può leggere");
    case FREEXL_INSUFFICIENT_MEMORY:
        return QStringLiteral("memoria insufficiente");
    case FREEXL_BIFF_INVALID_BOF:
        return QStringLiteral("formato o versione di Excel non riconosciuti");
    case FREEXL_BIFF_WORKBOOK_NOT_FOUND:
        return QStringLiteral("il file non contiene una cartella di lavoro");
    default:
        return QStringLiteral("file danneggiato o protetto da password (codice %1)").arg(codice);
    }
}

class LettoreXls final : public LettoreFoglio
{
public:
    ~LettoreXls() override
    {
        if (m_handle)
            freexl_close(m_handle);
    }

    explicit LettoreXls(const RegoleFoglio& regole)
        : m_regole(regole), m_prossima(static_cast<unsigned>(regole.primaRigaDati - 1))
    {
    }

    EsitoVuoto apri(const QByteArray& contenuto, const QString& percorso)
    {
        auto speciali = leggiCelleBiff(contenuto);
        if (!speciali)
            return Errore{QStringLiteral("Impossibile leggere la cartella di lavoro Excel %1: %2.")
                              .arg(percorso, speciali.errore())};
        m_speciali = std::move(speciali).valore();
        if (auto copia = copiaVerificata(); !copia)
            return Errore{QStringLiteral("Impossibile leggere la cartella di lavoro Excel %1: %2.")
                              .arg(percorso, copia.errore())};
        const int esito = freexl_open(QFile::encodeName(m_copia.fileName()).constData(), &m_handle);
        // FreeXL answers FREEXL_OK without a workbook when a record it
        // parses fails.
        if (esito != FREEXL_OK || !m_handle)
            return Errore{QStringLiteral("Impossibile leggere la cartella di lavoro Excel %1: %2.")
                              .arg(percorso, esito != FREEXL_OK
                                                 ? motivo(esito)
                                                 : QStringLiteral("contenuto non leggibile"))};
        unsigned int protetto = 0;
        if (freexl_get_info(m_handle, FREEXL_BIFF_PASSWORD, &protetto) == FREEXL_OK &&
            protetto == FREEXL_BIFF_OBFUSCATED)
            return Errore{QStringLiteral("La cartella di lavoro Excel %1 è protetta da password.")
                              .arg(percorso)};

        // The first worksheet in tab order, found by its name when known:
        // a chart sheet before it is no worksheet.
        unsigned int fogli = 0;
        if (freexl_get_info(m_handle, FREEXL_BIFF_SHEET_COUNT, &fogli) != FREEXL_OK || fogli == 0)
            return Errore{QStringLiteral("La cartella di lavoro %1 non contiene fogli di lavoro.")
                              .arg(percorso)};
        unsigned short scelto = 0;
        for (unsigned short i = 0; i < fogli && !m_speciali.primoFoglio.isEmpty(); ++i) {
            const char* nome = nullptr;
            if (freexl_get_worksheet_name(m_handle, i, &nome) == FREEXL_OK && nome &&
                QString::fromUtf8(nome) == m_speciali.primoFoglio) {
                scelto = i;
                break;
            }
        }
        if (freexl_select_active_worksheet(m_handle, scelto) != FREEXL_OK)
            return Errore{QStringLiteral("La cartella di lavoro %1 non contiene fogli di lavoro.")
                              .arg(percorso)};
        if (freexl_worksheet_dimensions(m_handle, &m_righe, &m_colonne) != FREEXL_OK)
            return Errore{
                QStringLiteral("Impossibile leggere il primo foglio di %1.").arg(percorso)};
        return {};
    }

    Esito<bool> leggi(RigaFoglio& riga) override
    {
        // Rows past the sheet's last row are blank, so the data end there.
        if (m_finito || m_prossima >= m_righe || m_prossima >= unsigned(m_regole.ultimaRiga)) {
            m_finito = true;
            return false;
        }
        std::optional<Errore> pendente;
        riga.valori.resize(static_cast<std::size_t>(m_regole.colonne));
        for (unsigned short colonna = 0; colonna < m_regole.colonne; ++colonna) {
            QString& destinazione = riga.valori[colonna];
            destinazione.clear();
            if (colonna >= m_colonne)
                continue;
            const auto speciale = m_speciali.celle.find(CelleBiff::chiave(m_prossima, colonna));
            if (speciale != m_speciali.celle.end()) {
                const CellaBiff& cella = speciale->second;
                switch (cella.tipo) {
                case CellaBiff::Tipo::Numero:
                    destinazione =
                        testoNumero(cella.numero, cella.formatoData, m_speciali.sistema1904);
                    break;
                case CellaBiff::Tipo::Testo:
                    destinazione = cella.testo;
                    break;
                case CellaBiff::Tipo::Booleano:
                    destinazione =
                        cella.numero != 0 ? QStringLiteral("VERO") : QStringLiteral("FALSO");
                    break;
                case CellaBiff::Tipo::Errore:
                    if (!pendente)
                        pendente = TestoCella::erroreNelFoglio(
                            static_cast<int>(m_prossima) + 1, colonna + 1,
                            nomeErroreBiff(static_cast<int>(cella.numero)));
                    break;
                }
                continue;
            }
            FreeXL_CellValue valore{};
            const int esito = freexl_get_cell_value(m_handle, m_prossima, colonna, &valore);
            if (esito == FREEXL_OK)
                destinazione = testoValore(valore);
            else if (esito != FREEXL_ILLEGAL_CELL_ROW_COL && !pendente)
                pendente = Errore{
                    QStringLiteral(
                        "Riga %1, colonna %2: cella illeggibile, file danneggiato (codice %3).")
                        .arg(m_prossima + 1)
                        .arg(colonna + 1)
                        .arg(esito)};
        }
        if (m_regole.fineDati(riga)) {
            m_finito = true;
            return false;
        }
        if (pendente) {
            m_finito = true;
            return *pendente;
        }
        riga.numero = static_cast<int>(m_prossima) + 1;
        ++m_prossima;
        return true;
    }

private:
    // FreeXL reads a rebuilt file holding only the checked stream (see
    // documentoComposto), in the temporary folder, kept until it is closed.
    EsitoVuoto copiaVerificata()
    {
        auto documento = documentoComposto(m_speciali.flusso);
        if (!documento)
            return Errore{documento.errore()};
        m_speciali.flusso = {}; // no longer needed: the copy holds it
        if (!m_copia.open() || m_copia.write(documento.valore()) != documento.valore().size() ||
            !m_copia.flush())
            return Errore{QStringLiteral("impossibile scrivere la copia temporanea (%1)")
                              .arg(m_copia.errorString())};
        m_copia.close(); // the file stays until m_copia goes
        return {};
    }

    QTemporaryFile m_copia;
    const void* m_handle = nullptr;
    unsigned int m_righe = 0;
    unsigned short m_colonne = 0;
    RegoleFoglio m_regole;
    unsigned int m_prossima; // FreeXL counts rows from 0
    bool m_finito = false;
    CelleBiff m_speciali;
};

} // namespace

Esito<std::unique_ptr<LettoreFoglio>>
apriFoglioXlsFreeXL(const QByteArray& contenuto, const QString& nome, const RegoleFoglio& regole)
{
    auto lettore = std::make_unique<LettoreXls>(regole);
    if (auto esito = lettore->apri(contenuto, nome); !esito)
        return Errore{esito.errore()};
    return std::unique_ptr<LettoreFoglio>(std::move(lettore));
}
