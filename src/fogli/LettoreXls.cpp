#include "fogli/LettoreXls.h"

#include "fogli/DocumentoComposto.h"
#include "fogli/GlobaliBiff.h"
#include "fogli/RecordBiff.h"
#include "fogli/TestoCella.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

using namespace RecordBiff;

namespace {

// One cell of the columns read, as its record gave it. The cells of a
// sheet are all kept, since its records need not come in row order; only
// those with a value, so a damaged file that names row 65536 costs nothing.
struct Cella
{
    enum class Tipo : quint8
    {
        numero,
        testoCondiviso, // `indice` into the shared strings
        testoProprio,   // `indice` into the sheet's own texts
        booleano,       // `indice` 0 or 1
        errore,         // `indice` the format's error code
    };
    double numero = 0;
    quint32 indice = 0;
    Tipo tipo = Tipo::numero;
    bool data = false; // a number shown as a date by its style
    quint64 posto = 0; // row (from the first data row) * columns + column
};

// Excel's English name of an error code of the file format (0x2A: "#N/A").
QString nomeErrore(quint32 codice)
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

// An RK value: a number in 30 bits, either the top of a double or an
// integer, possibly to be divided by 100.
double valoreRk(quint32 rk)
{
    double valore = 0;
    if (rk & 0x02) {
        valore = static_cast<double>(static_cast<qint32>(rk) >> 2);
    } else {
        const quint64 bit = static_cast<quint64>(rk & 0xFFFFFFFCu) << 32;
        std::memcpy(&valore, &bit, sizeof valore);
    }
    return (rk & 0x01) ? valore / 100 : valore;
}

double doppio(const Record& r, int inizio)
{
    double valore = 0;
    std::memcpy(&valore, r.dati + inizio, sizeof valore); // little-endian IEEE
    return valore;
}

// The cells of the first worksheet, read from its substream: only the
// columns asked for, from the first data row.
class FoglioBiff
{
public:
    FoglioBiff(const GlobaliBiff& globali, const RegoleFoglio& regole)
        : m_globali(globali), m_colonne(regole.colonne), m_primaRiga(regole.primaRigaDati - 1)
    {
    }

    EsitoVuoto leggi(const QByteArray& flusso)
    {
        Records records(flusso, m_globali.inizioFoglio);
        Record r;
        if (!records.prossimo(r) || r.tipo != kBof || u16(r, 2) != kFoglioDiLavoro)
            return Errore{strutturaNonValida()};
        int annidati = 0; // a chart drawn on the sheet is a substream inside it
        for (;;) {
            // No record has type 0; one that runs into the next sheet has
            // a wrong length, and the records after it are out of step.
            if (!records.prossimo(r) || r.tipo == 0 || records.posizione() > m_globali.fineFoglio)
                return Errore{strutturaNonValida()};
            if (r.tipo == kBof) {
                ++annidati;
            } else if (r.tipo == kEof) {
                if (annidati-- == 0)
                    return {};
            } else if (annidati == 0) {
                if (auto esito = cella(records, r); !esito)
                    return esito;
            }
        }
    }

    // The cells in row order, each once: a second value for the same cell
    // is a damaged file, and neither value could be trusted.
    EsitoVuoto ordina()
    {
        const auto prima = [](const Cella& a, const Cella& b) { return a.posto < b.posto; };
        if (!std::is_sorted(m_celle.begin(), m_celle.end(), prima))
            std::stable_sort(m_celle.begin(), m_celle.end(), prima);
        const auto doppia =
            std::adjacent_find(m_celle.begin(), m_celle.end(),
                               [](const Cella& a, const Cella& b) { return a.posto == b.posto; });
        if (doppia != m_celle.end())
            return Errore{strutturaNonValida()};
        return {};
    }

    const std::vector<Cella>& celle() const { return m_celle; }
    const std::vector<QString>& testi() const { return m_testi; }

private:
    EsitoVuoto cella(Records& records, const Record& r)
    {
        switch (r.tipo) {
        case kNumero:
            if (r.lunghezza < 14)
                return Errore{strutturaNonValida()};
            return numero(u16(r, 0), u16(r, 2), u16(r, 4), doppio(r, 6));
        case kRk:
            if (r.lunghezza < 10)
                return Errore{strutturaNonValida()};
            return numero(u16(r, 0), u16(r, 2), u16(r, 4), valoreRk(u32(r, 6)));
        case kMulRk:
            return piuRk(r);
        case kEtichettaSst:
            return testoCondiviso(r);
        case kEtichetta:
        case kEtichettaRicca:
            return etichetta(records, r);
        case kBoolErr:
            if (r.lunghezza < 8)
                return Errore{strutturaNonValida()};
            return metti(u16(r, 0), u16(r, 2),
                         {0, r.dati[6], r.dati[7] ? Cella::Tipo::errore : Cella::Tipo::booleano});
        case kFormula:
            return formula(r);
        case kTesto:
            return risultatoTesto(records, r);
        default:
            // BLANK and MULBLANK give a style and no value; the rest is no cell.
            return {};
        }
    }

    EsitoVuoto numero(quint16 riga, quint16 colonna, quint16 stile, double valore)
    {
        return metti(riga, colonna, {valore, 0, Cella::Tipo::numero, stileData(stile)});
    }

    // MULRK: a row, its first column, a style and a value for each column,
    // the last column.
    EsitoVuoto piuRk(const Record& r)
    {
        const int valori = (r.lunghezza - 6) / 6;
        const quint16 prima = u16(r, 2);
        if (r.lunghezza < 12 || (r.lunghezza - 6) % 6 != 0 ||
            u16(r, r.lunghezza - 2) != prima + valori - 1)
            return Errore{strutturaNonValida()};
        for (int i = 0; i < valori; ++i) {
            const int p = 4 + 6 * i;
            if (auto esito = numero(u16(r, 0), static_cast<quint16>(prima + i), u16(r, p),
                                    valoreRk(u32(r, p + 2)));
                !esito)
                return esito;
        }
        return {};
    }

    EsitoVuoto testoCondiviso(const Record& r)
    {
        if (r.lunghezza < 10 || u32(r, 6) >= m_globali.testi.size())
            return Errore{strutturaNonValida()};
        return metti(u16(r, 0), u16(r, 2), {0, u32(r, 6), Cella::Tipo::testoCondiviso});
    }

    // LABEL, and RSTRING, whose formatting runs after the text are skipped.
    EsitoVuoto etichetta(Records& records, const Record& r)
    {
        auto testo = m_globali.stringa(r, 6, false, &records);
        if (r.lunghezza < 8 || !testo)
            return Errore{strutturaNonValida()};
        return testoProprio(u16(r, 0), u16(r, 2), std::move(*testo));
    }

    // A formula's value is the one Excel computed when it saved the file.
    // A text result is in the STRING record that follows.
    EsitoVuoto formula(const Record& r)
    {
        if (r.lunghezza < 20)
            return Errore{strutturaNonValida()};
        const quint16 riga = u16(r, 0);
        const quint16 colonna = u16(r, 2);
        if (u16(r, 12) != 0xFFFF)
            return numero(riga, colonna, u16(r, 4), doppio(r, 6));
        switch (r.dati[6]) {
        case 0:
            m_testoAtteso = {riga, colonna};
            return {};
        case 1:
            return metti(riga, colonna, {0, r.dati[8], Cella::Tipo::booleano});
        case 2:
            return metti(riga, colonna, {0, r.dati[8], Cella::Tipo::errore});
        default: // an empty text
            return {};
        }
    }

    EsitoVuoto risultatoTesto(Records& records, const Record& r)
    {
        if (!m_testoAtteso) // a text without its formula is no cell
            return {};
        auto testo = m_globali.stringa(r, 0, false, &records);
        if (!testo)
            return Errore{strutturaNonValida()};
        const auto [riga, colonna] = *m_testoAtteso;
        return testoProprio(riga, colonna, std::move(*testo));
    }

    EsitoVuoto testoProprio(quint16 riga, quint16 colonna, QString testo)
    {
        const auto indice = static_cast<quint32>(m_testi.size());
        if (auto esito = metti(riga, colonna, {0, indice, Cella::Tipo::testoProprio}); !esito)
            return esito;
        if (colonna < m_colonne && riga >= m_primaRiga)
            m_testi.push_back(std::move(testo));
        return {};
    }

    bool stileData(quint16 stile) const
    {
        return stile < m_globali.stileData.size() && m_globali.stileData[stile];
    }

    EsitoVuoto metti(quint16 riga, quint16 colonna, Cella cella)
    {
        m_testoAtteso.reset();
        if (colonna >= m_colonne || riga < m_primaRiga)
            return {};
        cella.posto =
            static_cast<quint64>(riga - m_primaRiga) * static_cast<quint64>(m_colonne) + colonna;
        m_celle.push_back(cella);
        return {};
    }

    const GlobaliBiff& m_globali;
    const int m_colonne;
    const int m_primaRiga; // from 0
    std::vector<Cella> m_celle;
    std::vector<QString> m_testi;
    std::optional<std::pair<quint16, quint16>> m_testoAtteso; // a formula's cell
};

class LettoreXls final : public LettoreFoglio
{
public:
    explicit LettoreXls(const RegoleFoglio& regole) : m_regole(regole) {}

    EsitoVuoto apri(const QByteArray& contenuto, const QString& nome)
    {
        auto flusso = flussoCartella(contenuto);
        if (!flusso)
            return illeggibile(nome, flusso.errore());
        auto globali = leggiGlobaliBiff(flusso.valore().byte);
        if (!globali)
            return illeggibile(nome, globali.errore());
        m_globali = std::move(globali).valore();
        if (m_globali.inizioFoglio < 0)
            return Errore{
                QStringLiteral("La cartella di lavoro %1 non contiene fogli di lavoro.").arg(nome)};
        m_foglio.emplace(m_globali, m_regole);
        if (auto esito = m_foglio->leggi(flusso.valore().byte); !esito)
            return illeggibile(nome, esito.errore());
        if (auto esito = m_foglio->ordina(); !esito)
            return illeggibile(nome, esito.errore());
        return {};
    }

    // The workbook is read whole at the start: the share of its cells handed out.
    double quotaLetta() const override
    {
        const std::size_t celle = m_foglio ? m_foglio->celle().size() : 0;
        return celle == 0 ? -1 : static_cast<double>(m_cella) / static_cast<double>(celle);
    }

    Esito<bool> leggi(RigaFoglio& riga) override
    {
        // Rows past the last cell are blank, so the data end there.
        const std::vector<Cella>& celle = m_foglio->celle();
        if (m_finito || m_cella == celle.size() ||
            m_prossima > m_regole.ultimaRiga - m_regole.primaRigaDati) {
            m_finito = true;
            return false;
        }
        const int numero = m_regole.primaRigaDati + m_prossima;
        std::optional<Errore> pendente;
        riga.valori.resize(static_cast<std::size_t>(m_regole.colonne));
        for (QString& valore : riga.valori)
            valore.clear();
        const auto fineRiga =
            static_cast<quint64>(m_prossima + 1) * static_cast<quint64>(m_regole.colonne);
        for (; m_cella < celle.size() && celle[m_cella].posto < fineRiga; ++m_cella) {
            const Cella& cella = celle[m_cella];
            const int colonna =
                static_cast<int>(cella.posto % static_cast<quint64>(m_regole.colonne));
            testo(cella, numero, colonna, riga.valori[static_cast<std::size_t>(colonna)], pendente);
        }
        ++m_prossima;
        if (m_regole.fineDati(riga)) {
            m_finito = true;
            return false;
        }
        if (pendente) {
            m_finito = true;
            return *pendente;
        }
        riga.numero = numero;
        return true;
    }

private:
    static Errore illeggibile(const QString& nome, const QString& motivo)
    {
        return Errore{QStringLiteral("Impossibile leggere la cartella di lavoro Excel %1: %2.")
                          .arg(nome, motivo)};
    }

    // The cell as the sheet shows it. An error value is kept as the row's
    // error, unless the row turns out to be the end of the data.
    void testo(const Cella& cella, int riga, int colonna, QString& destinazione,
               std::optional<Errore>& pendente) const
    {
        switch (cella.tipo) {
        case Cella::Tipo::numero:
            if (cella.data)
                if (auto data = TestoCella::data(cella.numero, m_globali.sistema1904)) {
                    destinazione = *data;
                    break;
                }
            destinazione = TestoCella::numero(cella.numero);
            break;
        case Cella::Tipo::testoCondiviso:
            destinazione = m_globali.testi[cella.indice];
            break;
        case Cella::Tipo::testoProprio:
            destinazione = m_foglio->testi()[cella.indice];
            break;
        case Cella::Tipo::booleano:
            destinazione = cella.indice ? QStringLiteral("VERO") : QStringLiteral("FALSO");
            break;
        case Cella::Tipo::errore:
            destinazione.clear();
            if (!pendente)
                pendente = TestoCella::erroreNelFoglio(riga, colonna + 1, nomeErrore(cella.indice));
            break;
        }
    }

    RegoleFoglio m_regole;
    GlobaliBiff m_globali;
    std::optional<FoglioBiff> m_foglio;
    std::size_t m_cella = 0; // the first cell not yet read
    int m_prossima = 0;      // row, from the first data row
    bool m_finito = false;
};

} // namespace

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioXls(const QByteArray& contenuto,
                                                    const QString& nome, const RegoleFoglio& regole)
{
    auto lettore = std::make_unique<LettoreXls>(regole);
    if (auto esito = lettore->apri(contenuto, nome); !esito)
        return Errore{esito.errore()};
    return std::unique_ptr<LettoreFoglio>(std::move(lettore));
}
