#include "communication/CelleBiff.h"

#include "communication/TestoCella.h"

#include <QFile>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

// Compound documents hold an .xls workbook as a small file system of
// sectors; the "Workbook" stream is the chain of sectors that holds it.
class DocumentoComposto
{
public:
    explicit DocumentoComposto(QByteArray dati) : m_dati(std::move(dati)) {}

    Esito<QByteArray> flusso(const QString& nome)
    {
        if (m_dati.size() < 512 ||
            std::memcmp(m_dati.constData(), "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) != 0)
            return danneggiato();
        const quint32 spostamento = u16(0x1E);
        if (spostamento != 9 && spostamento != 12)
            return danneggiato();
        m_settore = 1u << spostamento;
        m_minimo = u32(0x38);

        // The allocation table, through the header's list of its sectors
        // and the chain of further lists.
        std::vector<quint32> settoriTabella;
        for (int i = 0; i < 109; ++i)
            settoriTabella.push_back(u32(0x4C + 4 * i));
        quint32 lista = u32(0x44);
        for (quint32 giri = 0; lista < 0xFFFFFFFA && giri < numeroSettori(); ++giri) {
            const qint64 base = inizioSettore(lista);
            if (base < 0)
                return danneggiato();
            for (quint32 i = 0; i + 1 < m_settore / 4; ++i)
                settoriTabella.push_back(u32(base + 4 * i));
            lista = u32(base + m_settore - 4);
        }
        for (quint32 settore : settoriTabella) {
            if (settore >= 0xFFFFFFFA)
                continue;
            const qint64 base = inizioSettore(settore);
            if (base < 0)
                return danneggiato();
            for (quint32 i = 0; i < m_settore / 4; ++i)
                m_tabella.push_back(u32(base + 4 * i));
        }

        auto directory = catena(u32(0x30), std::numeric_limits<quint64>::max());
        if (!directory)
            return Errore{directory.errore()};
        const QByteArray& voci = directory.valore();
        std::optional<QByteArray> radice;
        for (qsizetype voce = 0; voce + 128 <= voci.size(); voce += 128) {
            // A name is at most 31 characters and its terminator; FreeXL
            // converts as many bytes as the entry claims.
            const quint16 lunghezza = leggi16(voci, voce + 0x40);
            if (lunghezza > 64 || lunghezza % 2 != 0)
                return danneggiato();
            QString nomeVoce =
                QString::fromUtf16(reinterpret_cast<const char16_t*>(voci.constData() + voce),
                                   qMax(0, lunghezza / 2 - 1));
            // The name ends at its terminator, as FreeXL reads it, even when
            // the entry claims more characters.
            if (const qsizetype fine = nomeVoce.indexOf(QChar(u'\0')); fine >= 0)
                nomeVoce.truncate(fine);
            const quint8 tipo = static_cast<quint8>(voci[voce + 0x42]);
            const quint32 inizio = leggi32(voci, voce + 0x74);
            const quint64 dimensione = leggi32(voci, voce + 0x78);
            if (tipo == 5) { // root: owns the mini stream
                auto mini = catena(inizio, dimensione);
                if (!mini)
                    return mini;
                radice = mini.valore();
                m_tabellaMini.clear();
                auto tabellaMini = catena(u32(0x3C), std::numeric_limits<quint64>::max());
                if (tabellaMini)
                    for (qsizetype i = 0; i + 4 <= tabellaMini.valore().size(); i += 4)
                        m_tabellaMini.push_back(leggi32(tabellaMini.valore(), i));
            } else if (nomeVoce.compare(nome, Qt::CaseInsensitive) == 0) {
                // FreeXL reads the entry of this name whatever its type: one
                // that is not a stream is damage, not a workbook to leave
                // unchecked.
                if (tipo != 2)
                    return danneggiato();
                if (dimensione >= m_minimo)
                    return catena(inizio, dimensione);
                if (!radice)
                    return danneggiato();
                return catenaMini(*radice, inizio, dimensione);
            }
        }
        return Errore{QString()}; // no such stream
    }

private:
    static Errore danneggiato() { return Errore{QStringLiteral("struttura del file non valida")}; }
    static quint16 leggi16(const QByteArray& d, qsizetype i)
    {
        return i + 2 <= d.size() ? static_cast<quint16>(static_cast<quint8>(d[i]) |
                                                        static_cast<quint8>(d[i + 1]) << 8)
                                 : 0;
    }
    static quint32 leggi32(const QByteArray& d, qsizetype i)
    {
        return i + 4 <= d.size() ? static_cast<quint32>(leggi16(d, i)) |
                                       static_cast<quint32>(leggi16(d, i + 2)) << 16
                                 : 0;
    }
    quint16 u16(qint64 i) const { return leggi16(m_dati, i); }
    quint32 u32(qint64 i) const { return leggi32(m_dati, i); }
    quint32 numeroSettori() const { return static_cast<quint32>(m_dati.size() / m_settore) + 1; }
    qint64 inizioSettore(quint32 settore) const
    {
        const qint64 base = (static_cast<qint64>(settore) + 1) * m_settore;
        return base + m_settore <= m_dati.size() ? base : -1;
    }

    Esito<QByteArray> catena(quint32 settore, quint64 dimensione) const
    {
        QByteArray risultato;
        // A chain never visits more sectors than the file has: a loop is damage.
        for (quint32 giri = 0;
             settore < 0xFFFFFFFA && static_cast<quint64>(risultato.size()) < dimensione; ++giri) {
            const qint64 base = inizioSettore(settore);
            if (base < 0 || giri > numeroSettori() || settore >= m_tabella.size())
                return danneggiato();
            risultato.append(m_dati.constData() + base, m_settore);
            settore = m_tabella[settore];
        }
        if (dimensione != std::numeric_limits<quint64>::max()) {
            if (static_cast<quint64>(risultato.size()) < dimensione)
                return danneggiato();
            risultato.truncate(static_cast<qsizetype>(dimensione));
        }
        return risultato;
    }

    Esito<QByteArray> catenaMini(const QByteArray& mini, quint32 settore, quint64 dimensione) const
    {
        QByteArray risultato;
        for (quint32 giri = 0;
             settore < 0xFFFFFFFA && static_cast<quint64>(risultato.size()) < dimensione; ++giri) {
            const qsizetype base = static_cast<qsizetype>(settore) * 64;
            if (base + 64 > mini.size() || giri > m_tabellaMini.size() ||
                settore >= m_tabellaMini.size())
                return danneggiato();
            risultato.append(mini.constData() + base, 64);
            settore = m_tabellaMini[settore];
        }
        if (static_cast<quint64>(risultato.size()) < dimensione)
            return danneggiato();
        risultato.truncate(static_cast<qsizetype>(dimensione));
        return risultato;
    }

    QByteArray m_dati;
    quint32 m_settore = 512;
    quint32 m_minimo = 4096;
    std::vector<quint32> m_tabella;
    std::vector<quint32> m_tabellaMini;
};

struct Record
{
    quint16 tipo = 0;
    const quint8* dati = nullptr;
    quint16 lunghezza = 0;
};

class Records
{
public:
    explicit Records(const QByteArray& flusso, qsizetype inizio = 0)
        : m_flusso(flusso), m_posizione(inizio)
    {
    }

    bool prossimo(Record& record)
    {
        if (m_posizione < 0 || m_posizione + 4 > m_flusso.size())
            return false;
        const auto* p = reinterpret_cast<const quint8*>(m_flusso.constData() + m_posizione);
        record.tipo = static_cast<quint16>(p[0] | p[1] << 8);
        record.lunghezza = static_cast<quint16>(p[2] | p[3] << 8);
        if (m_posizione + 4 + record.lunghezza > m_flusso.size())
            return false;
        record.dati = p + 4;
        m_posizione += 4 + record.lunghezza;
        return true;
    }

private:
    const QByteArray& m_flusso;
    qsizetype m_posizione;
};

quint16 u16(const Record& r, int i)
{
    return i + 2 <= r.lunghezza ? static_cast<quint16>(r.dati[i] | r.dati[i + 1] << 8) : 0;
}

quint32 u32(const Record& r, int i)
{
    return static_cast<quint32>(u16(r, i)) | static_cast<quint32>(u16(r, i + 2)) << 16;
}

// A string of the file format: a character count, a flags byte (UTF-16 or
// one byte per character, optional rich-text and extension blocks), the characters.
QString stringa(const Record& r, int inizio, bool contaInByte = false)
{
    if (inizio + 2 > r.lunghezza)
        return {};
    int p = inizio;
    int caratteri = 0;
    if (contaInByte) {
        caratteri = r.dati[p++];
    } else {
        caratteri = u16(r, p);
        p += 2;
    }
    if (p >= r.lunghezza)
        return {};
    const quint8 opzioni = r.dati[p++];
    if (opzioni & 0x08)
        p += 2; // rich-text runs count
    if (opzioni & 0x04)
        p += 4; // extension size
    QString testo;
    if (opzioni & 0x01) {
        caratteri = qMin(caratteri, (r.lunghezza - p) / 2);
        for (int i = 0; i < caratteri; ++i)
            testo += QChar(static_cast<char16_t>(r.dati[p + 2 * i] | r.dati[p + 2 * i + 1] << 8));
    } else {
        caratteri = qMin(caratteri, r.lunghezza - p);
        for (int i = 0; i < caratteri; ++i)
            testo += QChar(static_cast<char16_t>(r.dati[p + i]));
    }
    return testo;
}

// A string of the file format fits in its record: count, flags, optional
// blocks and characters.
bool stringaIntegra(const Record& r, int inizio, bool contaInByte)
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

// The shared string table: a count, then strings that may run on into the
// CONTINUE records that follow; where the characters of one string are cut,
// the next record starts with a new flags byte.
bool tabellaTestiIntegra(const std::vector<Record>& parti)
{
    std::size_t parte = 0;
    int p = 8;
    if (parti.empty() || parti[0].lunghezza < 8)
        return false;
    const quint32 stringhe = u32(parti[0], 4);
    auto avanza = [&](int byte) {
        // Skips bytes that may cross record boundaries (no flags byte there).
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

// FreeXL trusts the lengths it finds in the file; a damaged workbook is
// refused here before FreeXL reads it. Every record must lie inside the
// stream within the format's size limit, and the strings FreeXL decodes
// (sheet names, number formats, texts) must lie inside their records.
bool flussoIntegro(const QByteArray& flusso)
{
    Records tutti(flusso);
    Record r;
    std::vector<Record> tabellaTesti;
    bool inTabella = false;
    qsizetype letti = 0;
    qsizetype dopoUltimaFine = 0;
    quint32 stili = 0;
    quint32 testi = 0;
    int livello = 0; // substreams open (BOF without its EOF yet)
    // Whether the open substream at each level has had its DIMENSIONS: a
    // sheet has one, and FreeXL allocates the sheet's cell table at each.
    bool dimensioni[3] = {};
    // A cell record's style and shared text must exist: FreeXL looks them
    // up without checking.
    auto cellaIntegra = [&](const Record& c, int lunghezza, int posizioneStile) {
        return c.lunghezza == lunghezza && u16(c, posizioneStile) < stili;
    };
    while (tutti.prossimo(r)) {
        letti += 4 + r.lunghezza;
        if (r.lunghezza > 8224)
            return false;
        if (inTabella && r.tipo == 0x003C) {
            tabellaTesti.push_back(r);
            continue;
        }
        if (inTabella) {
            inTabella = false;
            if (!tabellaTestiIntegra(tabellaTesti))
                return false;
        }
        bool integro = true;
        switch (r.tipo) {
        case 0x0809: // BOF
            // Substreams follow one another, each closed by its EOF; only a
            // chart drawn on a sheet sits inside that sheet's substream.
            // FreeXL tracks no nesting: a sheet whose EOF is missing has the
            // next sheet's records read into it (its cell table allocated
            // twice, the first one lost).
            integro = livello == 0 || (livello == 1 && u16(r, 2) == 0x0020);
            ++livello;
            if (integro)
                dimensioni[livello] = false;
            break;
        case 0x000A: // EOF
            integro = livello > 0;
            --livello;
            dopoUltimaFine = letti;
            break;
        case 0x00FC: // SST
            inTabella = true;
            tabellaTesti = {r};
            testi = u32(r, 4);
            break;
        case 0x00E0: // XF
            integro = r.lunghezza == 20;
            ++stili;
            break;
        case 0x0085: // BOUNDSHEET
            integro = stringaIntegra(r, 6, true) && u32(r, 0) < static_cast<quint32>(flusso.size());
            break;
        case 0x041E: // FORMAT
            integro = stringaIntegra(r, 2, false);
            break;
        case 0x0204: // LABEL
            integro = stringaIntegra(r, 6, false) && u16(r, 4) < stili;
            break;
        case 0x0207: // STRING
            integro = stringaIntegra(r, 0, false);
            break;
        case 0x00FD: // LABELSST
            integro = cellaIntegra(r, 10, 4) && u32(r, 6) < testi;
            break;
        case 0x0203: // NUMBER
            integro = cellaIntegra(r, 14, 4);
            break;
        case 0x027E: // RK
            integro = cellaIntegra(r, 10, 4);
            break;
        case 0x0205: // BOOLERR
            integro = cellaIntegra(r, 8, 4);
            break;
        case 0x0201: // BLANK
            integro = cellaIntegra(r, 6, 4);
            break;
        case 0x0000:                // no record of this workbook format; FreeXL takes it for
                                    // the DIMENSIONS of the oldest one and allocates a cell table
            integro = livello == 0; // zeros may pad the stream after its last EOF
            break;
        case 0x0200: // DIMENSIONS
            integro = r.lunghezza == 14 && livello > 0 && !dimensioni[livello];
            if (integro)
                dimensioni[livello] = true;
            break;
        case 0x0208: // ROW
            integro = r.lunghezza == 16;
            break;
        case 0x0006: // FORMULA
            integro = r.lunghezza >= 20 && u16(r, 4) < stili;
            break;
        case 0x00BD:   // MULRK: row, first column, (style, value) pairs, last column
        case 0x00BE: { // MULBLANK: row, first column, styles, last column
            const int passo = r.tipo == 0x00BD ? 6 : 2;
            integro = r.lunghezza >= 6 + passo && (r.lunghezza - 6) % passo == 0 &&
                      u16(r, r.lunghezza - 2) >= u16(r, 2) &&
                      (u16(r, r.lunghezza - 2) - u16(r, 2) + 1) * passo == r.lunghezza - 6;
            for (int i = 4; integro && i + 2 <= r.lunghezza - 2; i += passo)
                integro = u16(r, i) < stili;
            break;
        }
        default:
            break;
        }
        if (!integro)
            return false;
    }
    if (inTabella && !tabellaTestiIntegra(tabellaTesti))
        return false;
    // After the last substream only padding may follow.
    for (qsizetype i = dopoUltimaFine; i < flusso.size(); ++i)
        if (flusso[i] != 0)
            return false;
    return dopoUltimaFine > 0 && livello == 0;
}

} // namespace

QString nomeErroreBiff(int codice)
{
    switch (codice) {
    case 0x00:
        return QStringLiteral("#NULL!");
    case 0x07:
        return QStringLiteral("#DIV/0!");
    case 0x0F:
        return QStringLiteral("#VALUE!");
    case 0x17:
        return QStringLiteral("#REF!");
    case 0x1D:
        return QStringLiteral("#NAME?");
    case 0x24:
        return QStringLiteral("#NUM!");
    case 0x2A:
        return QStringLiteral("#N/A");
    case 0x2B:
        return QStringLiteral("#GETTING_DATA");
    default:
        return QStringLiteral("#%1").arg(codice);
    }
}

Esito<CelleBiff> leggiCelleBiff(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return Errore{file.errorString()};
    DocumentoComposto documento(file.readAll());
    auto flusso = documento.flusso(QStringLiteral("Workbook"));
    if (!flusso) {
        if (flusso.errore().isEmpty())
            return CelleBiff{}; // an older workbook ("Book" stream): left to FreeXL
        return Errore{flusso.errore()};
    }
    const QByteArray& byte = flusso.valore();

    CelleBiff risultato;
    Records primo(byte);
    Record r;
    if (!primo.prossimo(r) || r.tipo != 0x0809 || u16(r, 0) != 0x0600)
        return risultato; // not BIFF8: left to FreeXL
    // An encrypted workbook (FILEPASS among the first records) has
    // unreadable contents: FreeXL must not be handed it.
    for (Records globaliCifrati(byte); globaliCifrati.prossimo(r) && r.tipo != 0x000A;)
        if (r.tipo == 0x002F)
            return Errore{QStringLiteral("la cartella di lavoro è protetta da password")};
    if (!flussoIntegro(byte))
        return Errore{QStringLiteral("struttura del file non valida")};

    std::unordered_map<int, bool> formatiData;
    std::vector<int> formatiCelle;
    qint64 inizioFoglio = -1;
    Records globali(byte);
    globali.prossimo(r); // BOF
    while (globali.prossimo(r) && r.tipo != 0x000A) {
        switch (r.tipo) {
        case 0x0022: // DATEMODE
            risultato.sistema1904 = u16(r, 0) == 1;
            break;
        case 0x041E: // FORMAT
            formatiData[u16(r, 0)] = TestoCella::formatoData(stringa(r, 2));
            break;
        case 0x00E0: // XF
            formatiCelle.push_back(u16(r, 2));
            break;
        case 0x0085: // BOUNDSHEET: worksheets have type 0
            if (inizioFoglio < 0 && r.lunghezza >= 8 && r.dati[5] == 0) {
                inizioFoglio = u32(r, 0);
                risultato.primoFoglio = stringa(r, 6, true);
            }
            break;
        default:
            break;
        }
    }
    if (inizioFoglio < 0)
        return risultato;
    auto stileData = [&](quint16 xf) {
        if (xf >= formatiCelle.size())
            return false;
        const int formato = formatiCelle[xf];
        const auto trovato = formatiData.find(formato);
        return trovato != formatiData.end() ? trovato->second
                                            : TestoCella::formatoDataPredefinito(formato);
    };

    Records foglio(byte, static_cast<qsizetype>(inizioFoglio));
    if (!foglio.prossimo(r) || r.tipo != 0x0809)
        return Errore{QStringLiteral("struttura del file non valida")};
    CellaBiff* attesaTesto = nullptr; // a formula whose text result is in the next STRING record
    while (foglio.prossimo(r) && r.tipo != 0x000A) {
        if (r.tipo == 0x0207 && attesaTesto) { // STRING
            attesaTesto->testo = stringa(r, 0);
            attesaTesto = nullptr;
            continue;
        }
        if ((r.tipo != 0x0006 && r.tipo != 0x0205) || r.lunghezza < 8)
            continue;
        const quint16 riga = u16(r, 0);
        const quint16 colonna = u16(r, 2);
        if (riga < 2 || colonna >= 22)
            continue;
        CellaBiff cella;
        cella.formatoData = stileData(u16(r, 4));
        if (r.tipo == 0x0205) { // BOOLERR
            cella.tipo = r.dati[7] ? CellaBiff::Tipo::Errore : CellaBiff::Tipo::Booleano;
            cella.numero = r.dati[6];
        } else { // FORMULA with its cached result
            if (r.lunghezza < 14)
                continue;
            if (r.dati[12] == 0xFF && r.dati[13] == 0xFF) {
                switch (r.dati[6]) {
                case 0:
                    cella.tipo = CellaBiff::Tipo::Testo;
                    break;
                case 1:
                    cella.tipo = CellaBiff::Tipo::Booleano;
                    cella.numero = r.dati[8];
                    break;
                case 2:
                    cella.tipo = CellaBiff::Tipo::Errore;
                    cella.numero = r.dati[8];
                    break;
                default:
                    cella.tipo = CellaBiff::Tipo::Testo;
                    break; // empty text
                }
            } else {
                std::memcpy(&cella.numero, r.dati + 6, 8); // little-endian IEEE double
                cella.tipo = CellaBiff::Tipo::Numero;
            }
        }
        auto& posto = risultato.celle[CelleBiff::chiave(riga, colonna)];
        posto = std::move(cella);
        attesaTesto = r.tipo == 0x0006 && posto.tipo == CellaBiff::Tipo::Testo && r.dati[6] == 0
                          ? &posto
                          : nullptr;
    }
    return risultato;
}
