#include "fogli/LettoreXlsx.h"

#include "fogli/ArchivioZip.h"
#include "fogli/BlocchiParte.h"
#include "fogli/ParserXml.h"
#include "fogli/RigheInParallelo.h"
#include "fogli/TestoCella.h"

#include <QDateTime>
#include <QHash>
#include <QIODevice>
#include <QStringList>
#include <atomic>
#include <charconv>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace {

bool finisceCon(const QString& testo, QLatin1String fine)
{
    return testo.endsWith(fine, Qt::CaseInsensitive);
}

template <typename Intero> std::optional<Intero> intero(std::string_view testo)
{
    Intero valore{};
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), valore);
    if (errore != std::errc() || fine != testo.data() + testo.size())
        return std::nullopt;
    return valore;
}

std::string_view senzaSpazi(std::string_view testo)
{
    while (!testo.empty() && (testo.front() == ' ' || testo.front() == '\t' ||
                              testo.front() == '\n' || testo.front() == '\r'))
        testo.remove_prefix(1);
    while (!testo.empty() && (testo.back() == ' ' || testo.back() == '\t' || testo.back() == '\n' ||
                              testo.back() == '\r'))
        testo.remove_suffix(1);
    return testo;
}

int cifraEsadecimale(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

// The package writes characters that XML cannot carry as _xHHHH_ ("_x000D_"
// for a carriage return, "_x005F_" for a literal underscore before an x).
QString testoCella(std::string_view utf8)
{
    QString testo = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (!testo.contains(QLatin1String("_x")))
        return testo;
    QString risultato;
    risultato.reserve(testo.size());
    for (qsizetype i = 0; i < testo.size();) {
        if (testo[i] == QLatin1Char('_') && i + 6 < testo.size() &&
            testo[i + 1] == QLatin1Char('x') && testo[i + 6] == QLatin1Char('_')) {
            int codice = 0;
            bool valido = true;
            for (int k = 2; k < 6 && valido; ++k) {
                const int cifra = cifraEsadecimale(testo[i + k]);
                valido = cifra >= 0;
                codice = codice * 16 + cifra;
            }
            if (valido) {
                risultato += QChar(static_cast<char16_t>(codice));
                i += 7;
                continue;
            }
        }
        risultato += testo[i++];
    }
    return risultato;
}

// Parts are named by paths relative to the part that refers to them.
QString cartellaDi(const QString& parte)
{
    const qsizetype barra = parte.lastIndexOf(QLatin1Char('/'));
    return barra < 0 ? QString() : parte.left(barra + 1);
}

QString risolvi(const QString& cartella, const QString& destinazione)
{
    const QString percorso =
        destinazione.startsWith(QLatin1Char('/')) ? destinazione.mid(1) : cartella + destinazione;
    QStringList segmenti;
    for (const QString& segmento : percorso.split(QLatin1Char('/'))) {
        if (segmento == QLatin1String("..")) {
            if (!segmenti.isEmpty())
                segmenti.removeLast();
        } else if (!segmento.isEmpty() && segmento != QLatin1String(".")) {
            segmenti << segmento;
        }
    }
    return segmenti.join(QLatin1Char('/'));
}

EsitoVuoto analizzaParte(ArchivioZip& zip, const QString& parte, ParserXml& parser)
{
    if (auto aperta = zip.apriParte(parte); !aperta)
        return aperta;
    BlocchiParte blocchi(zip, zip.dimensioneParte());
    for (;;) {
        auto blocco = blocchi.prossimo();
        if (!blocco)
            return Errore{blocco.errore()};
        const bool ultimo = blocco->isEmpty();
        if (auto esito = parser.analizza(blocco->data(), blocco->size(), ultimo, parte); !esito)
            return esito;
        if (ultimo)
            return {};
    }
}

struct Relazione
{
    QString id;
    QString tipo;
    QString destinazione;
};

class ParserRelazioni final : public ParserXml
{
public:
    std::vector<Relazione> relazioni;

    const Relazione* diTipo(QLatin1String tipo) const
    {
        for (const auto& relazione : relazioni)
            if (finisceCon(relazione.tipo, tipo))
                return &relazione;
        return nullptr;
    }

protected:
    void inizio(std::string_view nome, const char** attributi) override
    {
        if (nome != "Relationship")
            return;
        auto valore = [&](std::string_view chiave) {
            return QString::fromUtf8(attributo(attributi, chiave));
        };
        relazioni.push_back({valore("Id"), valore("Type"), valore("Target")});
    }
    void fine(std::string_view) override {}
};

Esito<ParserRelazioni*> leggiRelazioni(ArchivioZip& zip, const QString& parte,
                                       ParserRelazioni& parser)
{
    // A part without relationships has no .rels part at all.
    if (!zip.contiene(parte))
        return &parser;
    if (auto esito = analizzaParte(zip, parte, parser); !esito)
        return Errore{esito.errore()};
    return &parser;
}

// workbook.xml: the sheets in tab order and the date system.
class ParserCartella final : public ParserXml
{
public:
    std::vector<QString> fogli;
    bool sistema1904 = false;

protected:
    void inizio(std::string_view nome, const char** attributi) override
    {
        if (nome == "sheet") {
            fogli.push_back(QString::fromUtf8(attributo(attributi, "id")));
        } else if (nome == "workbookPr") {
            const char* data1904 = attributo(attributi, "date1904");
            sistema1904 = data1904 && (std::string_view(data1904) == "1" ||
                                       std::string_view(data1904) == "true");
        }
    }
    void fine(std::string_view nome) override
    {
        if (nome == "sheets")
            ferma();
    }
};

// styles.xml: which cell styles show their number as a date.
class ParserStili final : public ParserXml
{
public:
    std::vector<bool> stiliData() const
    {
        std::vector<bool> risultato;
        risultato.reserve(m_formatiCelle.size());
        for (int id : m_formatiCelle) {
            const auto personale = m_formatiPersonali.constFind(id);
            risultato.push_back(personale != m_formatiPersonali.cend()
                                    ? *personale
                                    : TestoCella::formatoDataPredefinito(id));
        }
        return risultato;
    }

protected:
    void inizio(std::string_view nome, const char** attributi) override
    {
        if (nome == "numFmt") {
            const char* id = attributo(attributi, "numFmtId");
            const char* codice = attributo(attributi, "formatCode");
            if (auto numero = id ? intero<int>(id) : std::nullopt; numero && codice)
                m_formatiPersonali.insert(*numero,
                                          TestoCella::formatoData(QString::fromUtf8(codice)));
        } else if (nome == "cellXfs") {
            m_inCellXfs = true;
        } else if (nome == "xf" && m_inCellXfs) {
            const char* id = attributo(attributi, "numFmtId");
            m_formatiCelle.push_back(id ? intero<int>(id).value_or(0) : 0);
        }
    }
    void fine(std::string_view nome) override
    {
        if (nome == "cellXfs") {
            m_inCellXfs = false;
            ferma(); // cellXfs come after numFmts; the rest is of no use here
        }
    }

private:
    QHash<int, bool> m_formatiPersonali;
    std::vector<int> m_formatiCelle;
    bool m_inCellXfs = false;
};

// sharedStrings.xml: the texts that cells refer to by number. Phonetic runs
// (rPh) are reading aids, not part of the text.
class ParserTesti final : public ParserXml
{
public:
    std::vector<QString> testi;

protected:
    void inizio(std::string_view nome, const char**) override
    {
        if (nome == "si") {
            m_inSi = true;
            m_testo.clear();
        } else if (nome == "rPh") {
            m_inRph = true;
        } else if (nome == "t" && m_inSi && !m_inRph) {
            m_inT = true;
        }
    }
    void fine(std::string_view nome) override
    {
        if (nome == "t") {
            m_inT = false;
        } else if (nome == "rPh") {
            m_inRph = false;
        } else if (nome == "si") {
            testi.push_back(testoCella(m_testo));
            m_inSi = false;
        }
    }
    void testo(std::string_view s) override
    {
        if (m_inT)
            m_testo.append(s);
    }

private:
    std::string m_testo;
    bool m_inSi = false;
    bool m_inRph = false;
    bool m_inT = false;
};

// The worksheet, row by row. Completed rows wait in a short queue (the rows
// of one block of XML) until the caller takes them.
class ParserFoglio final : public ParserXml
{
public:
    ParserFoglio(const RegoleFoglio& regole, const std::vector<QString>& testi,
                 std::vector<bool> stiliData, bool sistema1904)
        : ParserXml(Motore::scansione), m_regole(regole), m_testi(testi),
          m_stiliData(std::move(stiliData)), m_sistema1904(sistema1904),
          m_attesa(regole.primaRigaDati)
    {
        m_riga.valori.resize(static_cast<std::size_t>(regole.colonne));
    }

    std::deque<RigaFoglio> pronte;
    std::optional<Errore> errore;
    bool finito = false;
    // The last row of the used range the worksheet states ("A1:V500002"), 0
    // when it states none: what a progress bar measures the rows against.
    // Written by the thread that parses, read by the one that takes the rows.
    std::atomic<int> ultimaRigaDichiarata = 0;

    void termina()
    {
        finito = true;
        ferma();
    }

protected:
    void inizio(std::string_view nome, const char** attributi) override
    {
        if (finito)
            return;
        if (nome == "c") {
            if (m_rigaAttiva)
                apriCella(attributi);
        } else if (nome == "v") {
            m_inV = m_cellaUtile;
        } else if (nome == "is") {
            m_inIs = m_cellaUtile;
        } else if (nome == "rPh") {
            m_inRph = true;
        } else if (nome == "t") {
            m_inT = m_inIs && !m_inRph;
        } else if (nome == "row") {
            apriRiga(attributi);
        } else if (nome == "dimension") {
            leggiDimensione(attributo(attributi, "ref"));
        }
    }

    void fine(std::string_view nome) override
    {
        if (finito)
            return;
        if (nome == "v") {
            m_inV = false;
        } else if (nome == "t") {
            m_inT = false;
        } else if (nome == "rPh") {
            m_inRph = false;
        } else if (nome == "is") {
            m_inIs = false;
        } else if (nome == "c") {
            if (m_cellaUtile)
                chiudiCella();
            m_cellaUtile = false;
        } else if (nome == "row") {
            if (m_rigaAttiva)
                chiudiRiga();
            m_rigaAttiva = false;
        } else if (nome == "sheetData") {
            // Past the last row: the next expected row is missing, so blank.
            termina();
        }
    }

    void testo(std::string_view s) override
    {
        if (m_inV)
            m_valore.append(s);
        else if (m_inT)
            m_inLinea.append(s);
    }

private:
    enum class Tipo
    {
        Numero,
        Condiviso,
        InLinea,
        Formula,
        Booleano,
        Errore,
        Data
    };

    // "A1:V500002" -> 500002, "A1" -> 1; anything else states nothing.
    void leggiDimensione(const char* riferimento)
    {
        if (!riferimento)
            return;
        std::string_view testo(riferimento);
        if (const auto duepunti = testo.rfind(':'); duepunti != std::string_view::npos)
            testo.remove_prefix(duepunti + 1);
        while (!testo.empty() && ((testo.front() >= 'A' && testo.front() <= 'Z') ||
                                  (testo.front() >= 'a' && testo.front() <= 'z')))
            testo.remove_prefix(1);
        if (const auto riga = intero<int>(testo); riga && *riga > 0)
            ultimaRigaDichiarata = *riga;
    }

    void apriRiga(const char** attributi)
    {
        const char* r = attributo(attributi, "r");
        const int numero = r ? intero<int>(r).value_or(m_ultimaRiga + 1) : m_ultimaRiga + 1;
        m_ultimaRiga = numero;
        if (numero < m_regole.primaRigaDati || numero < m_attesa) {
            m_rigaAttiva = false; // headings (or a row out of order, which Excel never writes)
            return;
        }
        if (numero > m_attesa) {
            // Rows without any cell are not written at all: the expected row
            // is blank, and the data end there.
            termina();
            return;
        }
        m_rigaAttiva = true;
        m_colonna = 0;
        m_riga.valori.resize(static_cast<std::size_t>(m_regole.colonne));
        for (auto& valore : m_riga.valori)
            valore.clear();
        m_erroreRiga.reset();
    }

    static int colonnaDa(const char* riferimento)
    {
        int colonna = 0;
        int lettere = 0;
        for (const char* p = riferimento; *p; ++p) {
            const char c = *p;
            if (c >= 'A' && c <= 'Z')
                colonna = colonna * 26 + (c - 'A' + 1);
            else if (c >= 'a' && c <= 'z')
                colonna = colonna * 26 + (c - 'a' + 1);
            else
                break;
            if (++lettere > 3)
                return -1;
        }
        return lettere == 0 ? -1 : colonna;
    }

    void apriCella(const char** attributi)
    {
        // One pass over the attributes: this runs for every cell of the sheet.
        const char* r = nullptr;
        std::string_view tipo = "n";
        const char* stile = nullptr;
        for (const char** a = attributi; *a; a += 2) {
            const std::string_view nome = nomeLocale(a[0]);
            if (nome == "r")
                r = a[1];
            else if (nome == "t")
                tipo = a[1];
            else if (nome == "s")
                stile = a[1];
        }
        const int colonna = r ? colonnaDa(r) : m_colonna + 1;
        m_colonna = colonna < 0 ? m_colonna + 1 : colonna;
        m_cellaUtile = m_colonna >= 1 && m_colonna <= m_regole.colonne;
        if (!m_cellaUtile)
            return;
        m_valore.clear();
        m_inLinea.clear();
        m_tipo = tipo == "s"           ? Tipo::Condiviso
                 : tipo == "inlineStr" ? Tipo::InLinea
                 : tipo == "str"       ? Tipo::Formula
                 : tipo == "b"         ? Tipo::Booleano
                 : tipo == "e"         ? Tipo::Errore
                 : tipo == "d"         ? Tipo::Data
                                       : Tipo::Numero;
        m_stile = stile ? intero<int>(stile).value_or(0) : 0;
    }

    bool stileData() const
    {
        return m_stile >= 0 && static_cast<std::size_t>(m_stile) < m_stiliData.size() &&
               m_stiliData[static_cast<std::size_t>(m_stile)];
    }

    void chiudiCella()
    {
        QString& destinazione = m_riga.valori[static_cast<std::size_t>(m_colonna - 1)];
        switch (m_tipo) {
        case Tipo::Condiviso: {
            const auto indice = intero<std::size_t>(senzaSpazi(m_valore));
            if (indice && *indice < m_testi.size())
                destinazione = m_testi[*indice];
            else if (!m_erroreRiga)
                m_erroreRiga = Errore{
                    QStringLiteral("Riga %1, colonna %2: il testo della cella manca nella cartella "
                                   "di lavoro, che è danneggiata.")
                        .arg(m_attesa)
                        .arg(m_colonna)};
            break;
        }
        case Tipo::InLinea:
            destinazione = testoCella(m_inLinea);
            break;
        case Tipo::Formula:
            destinazione = testoCella(m_valore);
            break;
        case Tipo::Booleano: {
            const std::string_view valore = senzaSpazi(m_valore);
            if (!valore.empty())
                destinazione = valore == "1" || valore == "true" ? QStringLiteral("VERO")
                                                                 : QStringLiteral("FALSO");
            break;
        }
        case Tipo::Errore:
            if (!m_erroreRiga)
                m_erroreRiga = TestoCella::erroreNelFoglio(m_attesa, m_colonna,
                                                           QString::fromUtf8(senzaSpazi(m_valore)));
            break;
        case Tipo::Data:
            destinazione = dataIso(senzaSpazi(m_valore));
            break;
        case Tipo::Numero:
            destinazione = numero(senzaSpazi(m_valore));
            break;
        }
    }

    QString numero(std::string_view testo) const
    {
        if (testo.empty())
            return {};
        double valore = 0;
        const auto [fine, errore] =
            std::from_chars(testo.data(), testo.data() + testo.size(), valore);
        if (errore != std::errc() || fine != testo.data() + testo.size())
            return QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size()));
        if (stileData())
            if (auto data = TestoCella::data(valore, m_sistema1904))
                return *data;
        return TestoCella::numero(valore);
    }

    // A date written as an ISO 8601 text (cell type "d").
    static QString dataIso(std::string_view testo)
    {
        const QString iso = QString::fromUtf8(testo.data(), static_cast<qsizetype>(testo.size()));
        const QDateTime momento = QDateTime::fromString(iso, Qt::ISODate);
        if (momento.isValid()) {
            const QTime ora = momento.time();
            QString risultato = momento.date().toString(QStringLiteral("dd/MM/yyyy"));
            if (ora.hour() || ora.minute() || ora.second())
                risultato += ora.toString(QStringLiteral(" hh:mm:ss"));
            return risultato;
        }
        const QDate giorno = QDate::fromString(iso, Qt::ISODate);
        return giorno.isValid() ? giorno.toString(QStringLiteral("dd/MM/yyyy")) : iso;
    }

    void chiudiRiga()
    {
        // The stop test comes first: an error in a row past the end of the
        // data is never looked at.
        if (m_regole.fineDati(m_riga)) {
            termina();
            return;
        }
        if (m_erroreRiga) {
            errore = m_erroreRiga;
            termina();
            return;
        }
        m_riga.numero = m_attesa;
        pronte.push_back(std::move(m_riga)); // its texts are cleared for the next row anyway
        if (++m_attesa > m_regole.ultimaRiga)
            termina();
    }

    const RegoleFoglio m_regole;
    const std::vector<QString>& m_testi;
    const std::vector<bool> m_stiliData;
    const bool m_sistema1904;

    RigaFoglio m_riga;
    std::optional<Errore> m_erroreRiga;
    int m_attesa;
    int m_ultimaRiga = 0;
    bool m_rigaAttiva = false;
    int m_colonna = 0;
    bool m_cellaUtile = false;
    Tipo m_tipo = Tipo::Numero;
    int m_stile = 0;
    std::string m_valore;
    std::string m_inLinea;
    bool m_inV = false;
    bool m_inIs = false;
    bool m_inT = false;
    bool m_inRph = false;
};

class LettoreXlsx final : public LettoreFoglio
{
public:
    Esito<bool> leggi(RigaFoglio& riga) override
    {
        auto letta = m_righe ? m_righe->leggi(riga) : leggiQui(riga);
        if (letta.ok() && *letta)
            m_ultimaLetta = riga.numero;
        return letta;
    }

    // The rows handed out against the rows the worksheet says it uses.
    double quotaLetta() const override
    {
        const int prima = m_primaRigaDati;
        const int ultima = m_parser ? m_parser->ultimaRigaDichiarata.load() : 0;
        if (ultima < prima)
            return -1;
        if (m_ultimaLetta < prima)
            return 0;
        return std::min(1.0, static_cast<double>(m_ultimaLetta - prima + 1) /
                                 static_cast<double>(ultima - prima + 1));
    }

    EsitoVuoto apri(std::unique_ptr<QIODevice> dispositivo, const QString& percorso,
                    const RegoleFoglio& regole);

private:
    Esito<bool> leggiQui(RigaFoglio& riga)
    {
        while (m_parser->pronte.empty()) {
            if (m_parser->errore)
                return *m_parser->errore;
            if (m_parser->finito)
                return false;
            auto blocco = m_blocchi->prossimo();
            if (!blocco)
                return Errore{blocco.errore()};
            const bool ultimo = blocco->isEmpty();
            if (auto esito =
                    m_parser->analizza(blocco->data(), blocco->size(), ultimo, m_parteFoglio);
                !esito)
                return Errore{esito.errore()};
            if (ultimo)
                m_parser->termina();
        }
        riga = std::move(m_parser->pronte.front());
        m_parser->pronte.pop_front();
        return true;
    }

    ArchivioZip m_zip;
    int m_primaRigaDati = 1;
    int m_ultimaLetta = 0;
    std::vector<QString> m_testi;
    std::unique_ptr<ParserFoglio> m_parser;
    QString m_parteFoglio;
    std::unique_ptr<BlocchiParte> m_blocchi;   // after m_zip: stopped before it closes
    std::unique_ptr<RigheInParallelo> m_righe; // last: stopped before all the rest
};

EsitoVuoto LettoreXlsx::apri(std::unique_ptr<QIODevice> dispositivo, const QString& percorso,
                             const RegoleFoglio& regole)
{
    if (auto aperto = m_zip.apri(std::move(dispositivo), percorso); !aperto)
        return aperto;

    ParserRelazioni radice;
    if (auto esito = leggiRelazioni(m_zip, QStringLiteral("_rels/.rels"), radice); !esito)
        return Errore{esito.errore()};
    const Relazione* documento = radice.diTipo(QLatin1String("/officeDocument"));
    const QString parteCartella =
        documento ? risolvi(QString(), documento->destinazione) : QStringLiteral("xl/workbook.xml");
    if (!m_zip.contiene(parteCartella))
        return Errore{
            QStringLiteral("Il file %1 non è una cartella di lavoro Excel.").arg(percorso)};

    ParserCartella cartella;
    if (auto esito = analizzaParte(m_zip, parteCartella, cartella); !esito)
        return esito;
    const QString base = cartellaDi(parteCartella);
    ParserRelazioni relazioni;
    if (auto esito = leggiRelazioni(m_zip,
                                    base + QStringLiteral("_rels/") +
                                        parteCartella.mid(base.size()) + QStringLiteral(".rels"),
                                    relazioni);
        !esito)
        return Errore{esito.errore()};

    // The first worksheet in tab order; chart sheets are not worksheets.
    for (const QString& id : cartella.fogli) {
        for (const auto& relazione : relazioni.relazioni) {
            if (relazione.id == id && finisceCon(relazione.tipo, QLatin1String("/worksheet"))) {
                m_parteFoglio = risolvi(base, relazione.destinazione);
                break;
            }
        }
        if (!m_parteFoglio.isEmpty())
            break;
    }
    if (m_parteFoglio.isEmpty())
        return Errore{
            QStringLiteral("La cartella di lavoro %1 non contiene fogli di lavoro.").arg(percorso)};

    std::vector<bool> stiliData;
    if (const Relazione* stili = relazioni.diTipo(QLatin1String("/styles"))) {
        ParserStili parser;
        if (auto esito = analizzaParte(m_zip, risolvi(base, stili->destinazione), parser); !esito)
            return esito;
        stiliData = parser.stiliData();
    }
    if (const Relazione* testi = relazioni.diTipo(QLatin1String("/sharedStrings"))) {
        ParserTesti parser;
        if (auto esito = analizzaParte(m_zip, risolvi(base, testi->destinazione), parser); !esito)
            return esito;
        m_testi = std::move(parser.testi);
    }

    m_primaRigaDati = regole.primaRigaDati;
    m_parser =
        std::make_unique<ParserFoglio>(regole, m_testi, std::move(stiliData), cartella.sistema1904);
    if (auto aperta = m_zip.apriParte(m_parteFoglio); !aperta)
        return aperta;
    const qint64 dimensione = m_zip.dimensioneParte();
    m_blocchi = std::make_unique<BlocchiParte>(m_zip, dimensione);
    // A large sheet is parsed on a thread of its own too, while the caller
    // works on the rows before.
    if (dimensione >= BlocchiParte::kSogliaParallelo)
        m_righe =
            std::make_unique<RigheInParallelo>([this](RigaFoglio& riga) { return leggiQui(riga); });
    return {};
}

} // namespace

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioXlsx(std::unique_ptr<QIODevice> dispositivo,
                                                     const QString& nome,
                                                     const RegoleFoglio& regole)
{
    auto lettore = std::make_unique<LettoreXlsx>();
    if (auto esito = lettore->apri(std::move(dispositivo), nome, regole); !esito)
        return Errore{esito.errore()};
    return std::unique_ptr<LettoreFoglio>(std::move(lettore));
}
