#include "fogli/GlobaliBiff.h"

#include "base/Cp1252.h"
#include "fogli/RecordBiff.h"
#include "fogli/RecordContinuato.h"
#include "fogli/TestoCella.h"

#include <map>
#include <optional>

using namespace RecordBiff;

namespace {

// Excel 5/95 stores texts in the code page of the Windows that saved them.
// An Italian Excel writes Windows-1252; 367 (ASCII) and 32769 are the same
// letters. Others would turn accents into different letters.
std::optional<bool> codificaLatin1(quint16 pagina)
{
    switch (pagina) {
    case 1252:
    case 367:
    case 32769:
        return false;
    case 28591:
        return true;
    default:
        return std::nullopt;
    }
}

class Lettura
{
public:
    explicit Lettura(const QByteArray& flusso) : m_records(flusso) {}

    Esito<GlobaliBiff> esegui()
    {
        Record r;
        if (!m_records.prossimo(r) || r.tipo != kBof || r.lunghezza < 4 || u16(r, 2) != kGlobali ||
            (u16(r, 0) != kBiff8 && u16(r, 0) != kBiff5))
            return Errore{QStringLiteral("formato o versione di Excel non riconosciuti (sono "
                                         "leggibili i file di Excel 5.0 e successivi)")};
        m_globali.biff8 = u16(r, 0) == kBiff8;
        for (;;) {
            if (!m_records.prossimo(r))
                return Errore{strutturaNonValida()};
            if (r.tipo == kEof)
                break;
            // This format has no record 0, and a BOF here means the
            // globals' EOF is lost: the records are out of step.
            if (r.tipo == 0 || r.tipo == kBof)
                return Errore{strutturaNonValida()};
            if (auto esito = record(r); !esito)
                return Errore{esito.errore()};
        }
        m_globali.fineFoglio = m_records.fine();
        for (qsizetype inizio : m_inizi)
            if (inizio > m_globali.inizioFoglio && inizio < m_globali.fineFoglio)
                m_globali.fineFoglio = inizio;
        for (quint16 formato : m_formatiStili) {
            const auto proprio = m_formatiData.find(formato);
            m_globali.stileData.push_back(proprio != m_formatiData.end()
                                              ? proprio->second
                                              : TestoCella::formatoDataPredefinito(formato));
        }
        return std::move(m_globali);
    }

private:
    EsitoVuoto record(const Record& r)
    {
        switch (r.tipo) {
        case kProtezione:
            return Errore{QStringLiteral("la cartella di lavoro è protetta da password")};
        case kCodifica:
            if (!m_globali.biff8) {
                const auto latin1 = codificaLatin1(u16(r, 0));
                if (!latin1)
                    return Errore{QStringLiteral("i testi sono scritti nella tabella codici %1, "
                                                 "che non si può leggere; salvare la cartella "
                                                 "di lavoro in formato .xlsx")
                                      .arg(u16(r, 0))};
                m_globali.latin1 = *latin1;
            }
            return {};
        case kSistemaDate:
            m_globali.sistema1904 = u16(r, 0) == 1;
            return {};
        case kFormato: {
            const auto codice = m_globali.stringa(r, 2, !m_globali.biff8);
            if (r.lunghezza < 2 || !codice)
                return Errore{strutturaNonValida()};
            m_formatiData[u16(r, 0)] = TestoCella::formatoData(*codice);
            return {};
        }
        case kXf:
            if (r.lunghezza < 4)
                return Errore{strutturaNonValida()};
            m_formatiStili.push_back(u16(r, 2));
            return {};
        case kFoglio:
            return foglio(r);
        case kSst:
            return tabellaTesti(r);
        default:
            return {};
        }
    }

    // The sheets in tab order; the first worksheet is read (a chart sheet
    // or a macro sheet before it is not).
    EsitoVuoto foglio(const Record& r)
    {
        if (r.lunghezza < 6)
            return Errore{strutturaNonValida()};
        if (m_globali.inizioFoglio < 0 && r.dati[5] == 0)
            m_globali.inizioFoglio = u32(r, 0);
        m_inizi.push_back(u32(r, 0));
        return {};
    }

    // The shared strings: a total, a count, then the strings, which run on
    // into the CONTINUE records after the table.
    EsitoVuoto tabellaTesti(const Record& primo)
    {
        if (!m_globali.biff8 || m_tabellaVista)
            return Errore{strutturaNonValida()};
        m_tabellaVista = true;
        RecordContinuato dati = RecordContinuato::conSeguito(m_records, primo, 4);
        quint32 stringhe = 0;
        if (!dati.u32(stringhe))
            return Errore{strutturaNonValida()};
        // The count is only believed as far as the bytes go: a string takes
        // at least three.
        m_globali.testi.reserve(std::min<quint32>(stringhe, 1u << 20));
        for (quint32 i = 0; i < stringhe && !dati.finito(); ++i) {
            QString testo;
            if (!dati.stringa8(testo))
                return Errore{strutturaNonValida()};
            m_globali.testi.push_back(std::move(testo));
        }
        return {};
    }

    Records m_records;
    GlobaliBiff m_globali;
    std::map<quint16, bool> m_formatiData; // the workbook's own formats
    std::vector<quint16> m_formatiStili;   // the format of each style
    std::vector<qsizetype> m_inizi;        // of every sheet of the list
    bool m_tabellaVista = false;
};

} // namespace

std::optional<QString> GlobaliBiff::stringa(const Record& r, int inizio, bool contaInByte,
                                            Records* seguito) const
{
    if (biff8) {
        RecordContinuato dati = seguito ? RecordContinuato::conSeguito(*seguito, r, inizio)
                                        : RecordContinuato({r}, inizio);
        QString testo;
        if (!dati.stringa8(testo, contaInByte))
            return std::nullopt;
        return testo;
    }
    const int conteggio = contaInByte ? 1 : 2;
    if (inizio + conteggio > r.lunghezza)
        return std::nullopt;
    const int caratteri = contaInByte ? r.dati[inizio] : u16(r, inizio);
    if (inizio + conteggio + caratteri > r.lunghezza)
        return std::nullopt;
    const QByteArrayView byte(r.dati + inizio + conteggio, caratteri);
    return latin1 ? QString::fromLatin1(byte) : Cp1252::decodifica(byte);
}

Esito<GlobaliBiff> leggiGlobaliBiff(const QByteArray& flusso)
{
    return Lettura(flusso).esegui();
}

QString strutturaNonValida()
{
    return QStringLiteral("struttura del file non valida");
}
