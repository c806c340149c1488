#include "fogli/StrutturaBiff.h"

#include "fogli/RecordBiff.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

using namespace RecordBiff;

namespace {

// Excel 97-2003 strings: a character count (one or two bytes), a flags
// byte (UTF-16 or one byte per character, optional rich-text and extension
// blocks), the characters; all inside the record.
bool stringaIntegra8(const Record& r, int inizio, bool contaInByte)
{
    int p = inizio;
    int caratteri = 0;
    if (contaInByte) {
        if (p + 1 > r.lunghezza)
            return false;
        caratteri = r.dati[p++];
    } else {
        if (p + 2 > r.lunghezza)
            return false;
        caratteri = u16(r, p);
        p += 2;
    }
    if (p + 1 > r.lunghezza)
        return caratteri == 0;
    const quint8 opzioni = r.dati[p++];
    if (opzioni & 0x08)
        p += 2;
    if (opzioni & 0x04)
        p += 4;
    return p + caratteri * ((opzioni & 0x01) ? 2 : 1) <= r.lunghezza;
}

// Excel 5/95 strings: a count (one or two bytes), then one byte per character.
bool stringaIntegra5(const Record& r, int inizio, bool contaInByte)
{
    const int conteggio = contaInByte ? 1 : 2;
    if (inizio + conteggio > r.lunghezza)
        return false;
    const int caratteri = contaInByte ? r.dati[inizio] : u16(r, inizio);
    return inizio + conteggio + caratteri <= r.lunghezza;
}

// The shared string table as the file format lays it out: a count, then
// strings that may run on into the CONTINUE records that follow; where the
// characters of one string are cut, the next record starts with a new flags
// byte; formatting blocks run on without one.
bool tabellaTestiIntegra(const std::vector<Record>& parti)
{
    std::size_t parte = 0;
    int p = 8;
    if (parti.empty() || parti[0].lunghezza < 8)
        return false;
    const quint32 stringhe = u32(parti[0], 4);
    auto avanza = [&](int byte) {
        while (byte > 0) {
            const int qui = qMin(byte, parti[parte].lunghezza - p);
            p += qui;
            byte -= qui;
            if (byte > 0) {
                if (++parte >= parti.size())
                    return false;
                p = 0;
            }
        }
        return true;
    };
    for (quint32 i = 0; i < stringhe; ++i) {
        if (p + 3 > parti[parte].lunghezza) {
            // A string header is never cut: it starts in the next record.
            if (++parte >= parti.size())
                return false;
            p = 0;
            if (parti[parte].lunghezza < 3)
                return false;
        }
        const Record& r = parti[parte];
        int caratteri = u16(r, p);
        const quint8 opzioni = r.dati[p + 2];
        p += 3;
        int blocchi = 0;
        if (opzioni & 0x08) {
            if (p + 2 > r.lunghezza)
                return false;
            blocchi += u16(r, p) * 4;
            p += 2;
        }
        if (opzioni & 0x04) {
            if (p + 4 > r.lunghezza)
                return false;
            blocchi += static_cast<int>(qMin<quint32>(u32(r, p), 1u << 24));
            p += 4;
        }
        bool doppi = opzioni & 0x01;
        while (caratteri > 0) {
            const int dimensione = doppi ? 2 : 1;
            const int presi = qMin(caratteri, (parti[parte].lunghezza - p) / dimensione);
            p += presi * dimensione;
            caratteri -= presi;
            if (caratteri > 0) {
                if (++parte >= parti.size() || parti[parte].lunghezza < 1)
                    return false;
                doppi = parti[parte].dati[0] & 0x01;
                p = 1;
            }
        }
        if (!avanza(blocchi))
            return false;
    }
    return true;
}

// The same table walked the way FreeXL walks it, which is narrower than the
// format: it takes a string's extension block size from the wrong place
// (and only half of it), copies the rest of a cut string without looking at
// the record's end, forgets formatting that runs on past the record where a
// cut string ends, and reads a string's header wherever the previous one's
// formatting ended. A table FreeXL would misread is refused; real tables
// (no extension blocks, strings cut at most once) pass.
bool tabellaTestiComeFreeXL(const std::vector<Record>& parti)
{
    const quint32 stringhe = u32(parti[0], 4);
    quint32 indice = 0;
    bool sospesa = false; // a string cut at the end of the previous record
    quint32 restanti = 0; // its characters still to come
    int formattazioneSospesa = 0;
    int daSaltare = 0; // formatting of the previous string run on into this record
    for (std::size_t k = 0; k < parti.size() && indice < stringhe; ++k) {
        const Record& r = parti[k];
        const int n = r.lunghezza;
        int p = k == 0 ? 8 : 0;
        if (sospesa) {
            if (n < 1)
                return false;
            const int byte = static_cast<int>(restanti) * ((r.dati[0] & 0x01) ? 2 : 1);
            p = 1 + byte + formattazioneSospesa;
            if (p > n)
                return false;
            sospesa = false;
            ++indice;
        }
        while (indice < stringhe && p < n) {
            p += daSaltare;
            daSaltare = 0;
            if (p + 3 > n)
                return false;
            const quint16 caratteri = u16(r, p);
            const quint8 opzioni = r.dati[p + 2];
            p += 3;
            if (caratteri == 0 || (opzioni & 0x04))
                return false;
            int formattazione = 0;
            if (opzioni & 0x08) {
                if (p + 2 > n)
                    return false;
                formattazione = u16(r, p) * 4;
                p += 2;
            }
            const int richiesti = caratteri * ((opzioni & 0x01) ? 2 : 1);
            if (richiesti > n - p) {
                const int disponibili = n - p;
                if ((opzioni & 0x01) && disponibili % 2 != 0)
                    return false;
                sospesa = true;
                restanti = caratteri -
                           static_cast<quint32>((opzioni & 0x01) ? disponibili / 2 : disponibili);
                formattazioneSospesa = formattazione;
                break;
            }
            p += richiesti + formattazione;
            daSaltare = p > n ? p - n : 0;
            ++indice;
        }
    }
    return true;
}

// The cells of a substream that have a value, one bit each: Excel has at
// most 65536 rows and 256 columns. FreeXL, given the same cell twice,
// overwrites the first value's text without freeing it.
class CelleOccupate
{
public:
    bool occupa(quint16 riga, quint16 colonna)
    {
        if (colonna >= 256)
            return false;
        if (m_bit.empty())
            m_bit.resize(65536 * 256 / 64);
        const quint32 indice = static_cast<quint32>(riga) << 8 | colonna;
        quint64& parola = m_bit[indice / 64];
        const quint64 bit = quint64(1) << (indice % 64);
        if (parola & bit)
            return false;
        if (parola == 0)
            m_usate.push_back(indice / 64);
        parola |= bit;
        return true;
    }

    void svuota()
    {
        for (quint32 i : m_usate)
            m_bit[i] = 0;
        m_usate.clear();
    }

private:
    std::vector<quint64> m_bit;
    std::vector<quint32> m_usate; // the words to clear for the next substream
};

struct Sottoflusso
{
    qsizetype inizio = 0;
    bool foglio = false; // a sheet of the list points at it
    bool dimensioni = false;
    quint32 righe = 0; // as its size record gives them
    quint32 colonne = 0;
};

class Verifica
{
public:
    explicit Verifica(const QByteArray& flusso) : m_flusso(flusso) {}

    bool esegui()
    {
        Records tutti(m_flusso);
        Record r;
        if (!tutti.prossimo(r) || r.tipo != kBof)
            return false;
        const quint16 versione = u16(r, 0);
        if (versione != kBiff8 && versione != kBiff5)
            return false;
        m_biff8 = versione == kBiff8;
        Records daCapo(m_flusso);
        while (daCapo.prossimo(r)) {
            if (!record(r))
                return false;
        }
        if (daCapo.posizione() != m_flusso.size() && !soloZeri(daCapo.posizione()))
            return false;
        return chiudi();
    }

    bool grafico() const { return m_grafico; }

private:
    bool record(const Record& r)
    {
        if (r.lunghezza > 8224)
            return false;
        if (m_inTabella && r.tipo == kContinue) {
            m_tabellaTesti.push_back(r);
            return true;
        }
        if (m_inTabella) {
            m_inTabella = false;
            if (!tabellaTestiIntegra(m_tabellaTesti) || !tabellaTestiComeFreeXL(m_tabellaTesti))
                return false;
        }
        if (r.tipo == 0 && !m_zero)
            m_zero = r.posizione;
        if (r.tipo == kBof)
            return apri(r);
        if (r.tipo == kEof)
            return chiudiSottoflusso(r);
        if (m_livello == 0)
            return r.tipo == 0; // between substreams only padding
        return contenuto(r);
    }

    // Substreams follow one another, each closed by its EOF; only a chart
    // drawn on a sheet sits inside that sheet's substream.
    bool apri(const Record& r)
    {
        if (m_livello > 1 || (m_livello == 1 && u16(r, 2) != 0x0020))
            return false;
        m_grafico = m_grafico || m_livello == 1;
        if (m_livello == 0) {
            Sottoflusso nuovo;
            nuovo.inizio = r.posizione;
            nuovo.foglio = m_fogli.count(static_cast<quint32>(r.posizione)) > 0;
            m_sottoflussi.push_back(nuovo);
            m_celle.svuota();
        }
        ++m_livello;
        return true;
    }

    bool chiudiSottoflusso(const Record& r)
    {
        if (m_livello == 0)
            return false;
        --m_livello;
        m_dopoUltimaFine = r.posizione + 4 + r.lunghezza;
        return true;
    }

    bool nelleGlobali() const { return m_sottoflussi.size() == 1 && m_livello == 1; }

    bool cella(const Record& c, int lunghezza) const
    {
        return c.lunghezza == lunghezza && u16(c, 4) < m_stili;
    }

    bool nuova(const Record& c) { return ammessa(u16(c, 0), u16(c, 2)); }

    // FreeXL keeps a value only for a cell of a listed sheet, inside the
    // size given before it; a text it cannot keep is lost memory. Cells
    // before the size are skipped, so they too would be lost data.
    bool ammessa(quint16 riga, quint16 colonna)
    {
        const Sottoflusso& attuale = m_sottoflussi.back();
        return m_livello == 1 && attuale.foglio && attuale.dimensioni && riga < attuale.righe &&
               colonna < attuale.colonne && m_celle.occupa(riga, colonna);
    }

    bool contenuto(const Record& r)
    {
        switch (r.tipo) {
        case 0:
            // This format has no record 0; FreeXL takes it for the end of
            // the stream, or for the size of an old-format sheet.
            return false;
        case kSst:
            if (!m_biff8 || !nelleGlobali() || m_tabellaVista || r.lunghezza < 8)
                return false;
            m_tabellaVista = true;
            m_inTabella = true;
            m_tabellaTesti = {r};
            m_testi = u32(r, 4);
            return true;
        case kXf:
            // FreeXL keeps at most 8192 styles but counts on past them.
            ++m_stili;
            return r.lunghezza == (m_biff8 ? 20 : 16) && m_stili <= 8192;
        case kFoglio:
            return foglio(r);
        case kFormato:
            return m_biff8 ? stringaIntegra8(r, 2, false) : stringaIntegra5(r, 2, true);
        case kEtichetta:
            return (m_biff8 ? stringaIntegra8(r, 6, false) : stringaIntegra5(r, 6, false)) &&
                   u16(r, 4) < m_stili && nuova(r);
        case kTesto:
            return m_biff8 ? stringaIntegra8(r, 0, false) : stringaIntegra5(r, 0, false);
        case kEtichettaSst:
            return cella(r, 10) && u32(r, 6) < m_testi && nuova(r);
        case kNumero:
            return cella(r, 14) && nuova(r);
        case kRk:
            return cella(r, 10) && nuova(r);
        case kBoolErr:
            return cella(r, 8) && nuova(r);
        case kVuota:
            return cella(r, 6);
        case kDimensioni:
            return dimensioni(r);
        case kRiga:
            return r.lunghezza == 16;
        case kFormula:
            return r.lunghezza >= 20 && u16(r, 4) < m_stili;
        case kMulRk:
            return multipla(r, 6) && nuoveMultiple(r);
        case kMulVuote:
            return multipla(r, 2);
        default:
            return true;
        }
    }

    // FreeXL adds a sheet for every BOUNDSHEET it meets; each must point at
    // a substream of its own, found after the whole stream is read. The
    // name is one byte per character or UTF-16, never with formatting.
    bool foglio(const Record& r)
    {
        if (!nelleGlobali() || r.lunghezza < 8)
            return false;
        if (m_biff8 ? !stringaIntegra8(r, 6, true) || r.dati[7] > 1 : !stringaIntegra5(r, 6, true))
            return false;
        return m_fogli.insert(u32(r, 0)).second;
    }

    // A sheet's size: FreeXL allocates the sheet's cell table at each one,
    // so a substream has at most one, and none inside a chart.
    bool dimensioni(const Record& r)
    {
        if (r.lunghezza != (m_biff8 ? 14 : 10) || m_livello != 1)
            return false;
        Sottoflusso& attuale = m_sottoflussi.back();
        if (attuale.dimensioni)
            return false;
        attuale.dimensioni = true;
        attuale.righe = m_biff8 ? u32(r, 4) : u16(r, 2);
        attuale.colonne = u16(r, m_biff8 ? 10 : 6);
        return true;
    }

    // MULRK: row, first column, (style, value) pairs, last column;
    // MULBLANK: row, first column, styles, last column.
    bool multipla(const Record& r, int passo) const
    {
        bool integro = r.lunghezza >= 6 + passo && (r.lunghezza - 6) % passo == 0 &&
                       u16(r, r.lunghezza - 2) >= u16(r, 2) &&
                       (u16(r, r.lunghezza - 2) - u16(r, 2) + 1) * passo == r.lunghezza - 6;
        for (int i = 4; integro && i + 2 <= r.lunghezza - 2; i += passo)
            integro = u16(r, i) < m_stili;
        return integro;
    }

    bool nuoveMultiple(const Record& r)
    {
        const quint16 riga = u16(r, 0);
        for (quint32 colonna = u16(r, 2); colonna <= u16(r, r.lunghezza - 2); ++colonna)
            if (!ammessa(riga, static_cast<quint16>(colonna)))
                return false;
        return true;
    }

    bool soloZeri(qsizetype da) const
    {
        for (qsizetype i = da; i < m_flusso.size(); ++i)
            if (m_flusso[i] != 0)
                return false;
        return true;
    }

    // Every sheet of the list points at a substream that has its size; a
    // sheet without one sends FreeXL into a second reading that allocates
    // the wrong sheet's cells. After the last substream only zeros follow.
    bool chiudi() const
    {
        if (m_inTabella &&
            (!tabellaTestiIntegra(m_tabellaTesti) || !tabellaTestiComeFreeXL(m_tabellaTesti)))
            return false;
        if (m_livello != 0 || m_dopoUltimaFine == 0 || !soloZeri(m_dopoUltimaFine))
            return false;
        if (m_zero && *m_zero < m_dopoUltimaFine)
            return false;
        // The substreams are in the stream's order, so by their start.
        for (quint32 inizio : m_fogli) {
            const auto trovato = std::lower_bound(
                m_sottoflussi.begin() + 1, m_sottoflussi.end(), inizio,
                [](const Sottoflusso& s, quint32 valore) { return s.inizio < valore; });
            if (trovato == m_sottoflussi.end() || trovato->inizio != inizio || !trovato->dimensioni)
                return false;
        }
        return true;
    }

    const QByteArray& m_flusso;
    bool m_biff8 = true;
    int m_livello = 0;                      // substreams open (BOF without its EOF yet)
    std::vector<Sottoflusso> m_sottoflussi; // the outermost ones, in order
    std::set<quint32> m_fogli;              // where the BOUNDSHEETs point
    quint32 m_stili = 0;
    quint32 m_testi = 0;
    bool m_tabellaVista = false; // FreeXL reads a second table into the first
    bool m_inTabella = false;
    std::vector<Record> m_tabellaTesti;
    qsizetype m_dopoUltimaFine = 0;
    std::optional<qsizetype> m_zero; // first record of type 0
    CelleOccupate m_celle;
    bool m_grafico = false; // a chart drawn on a sheet
};

} // namespace

EsitoVuoto verificaStrutturaBiff(const QByteArray& flusso)
{
    Verifica verifica(flusso);
    if (!verifica.esegui())
        return Errore{QStringLiteral("struttura del file non valida")};
    // FreeXL takes the end of the chart's substream for the end of the
    // sheet's and fails on the sheet's next record.
    if (verifica.grafico())
        return Errore{QStringLiteral("un foglio contiene un grafico, che nei file .xls non si può "
                                     "leggere; salvare la cartella di lavoro in formato .xlsx")};
    return {};
}
