#include "fogli/DocumentoComposto.h"

#include <QtEndian>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

namespace {

constexpr char kFirma[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
constexpr quint32 kFineCatena = 0xFFFFFFFE;
constexpr quint32 kLibero = 0xFFFFFFFF;
constexpr quint32 kSettoreTabella = 0xFFFFFFFD;

Errore danneggiato()
{
    return Errore{QStringLiteral("struttura del file non valida")};
}

quint16 leggi16(const QByteArray& d, qsizetype i)
{
    if (i < 0 || i + 2 > d.size())
        return 0;
    return static_cast<quint16>(static_cast<quint8>(d[i]) | static_cast<quint8>(d[i + 1]) << 8);
}

quint32 leggi32(const QByteArray& d, qsizetype i)
{
    if (i < 0 || i + 4 > d.size())
        return 0;
    return static_cast<quint32>(leggi16(d, i)) | static_cast<quint32>(leggi16(d, i + 2)) << 16;
}

class Lettura
{
public:
    explicit Lettura(const QByteArray& dati) : m_dati(dati) {}

    Esito<FlussoCartella> flusso()
    {
        if (m_dati.size() < 512 || std::memcmp(m_dati.constData(), kFirma, 8) != 0)
            return danneggiato();
        const quint32 spostamento = leggi16(m_dati, 0x1E);
        if (spostamento != 9 && spostamento != 12)
            return danneggiato();
        m_settore = 1u << spostamento;
        m_minimo = leggi32(m_dati, 0x38);
        if (auto esito = leggiTabella(); !esito)
            return Errore{esito.errore()};
        auto directory = catena(leggi32(m_dati, 0x30), std::numeric_limits<quint64>::max());
        if (!directory)
            return Errore{directory.errore()};
        return cerca(directory.valore());
    }

private:
    // The allocation table, through the header's list of its sectors and
    // the chain of further lists.
    EsitoVuoto leggiTabella()
    {
        std::vector<quint32> settoriTabella;
        for (int i = 0; i < 109; ++i)
            settoriTabella.push_back(leggi32(m_dati, 0x4C + 4 * i));
        quint32 lista = leggi32(m_dati, 0x44);
        for (quint32 giri = 0; lista < 0xFFFFFFFA && giri < numeroSettori(); ++giri) {
            const qint64 base = inizioSettore(lista);
            if (base < 0)
                return danneggiato();
            for (quint32 i = 0; i + 1 < m_settore / 4; ++i)
                settoriTabella.push_back(leggi32(m_dati, base + 4 * i));
            lista = leggi32(m_dati, base + m_settore - 4);
        }
        for (quint32 settore : settoriTabella) {
            if (settore >= 0xFFFFFFFA)
                continue;
            const qint64 base = inizioSettore(settore);
            if (base < 0)
                return danneggiato();
            for (quint32 i = 0; i < m_settore / 4; ++i)
                m_tabella.push_back(leggi32(m_dati, base + 4 * i));
        }
        return {};
    }

    // Excel names the stream "Workbook"; Excel 5/95 named it "Book". The
    // root entry, which owns the mini stream of small streams, comes first.
    Esito<FlussoCartella> cerca(const QByteArray& voci)
    {
        std::optional<QByteArray> radice;
        std::optional<qsizetype> vecchia;
        for (qsizetype voce = 0; voce + 128 <= voci.size(); voce += 128) {
            const quint8 tipo = static_cast<quint8>(voci[voce + 0x42]);
            if (tipo == 5) {
                auto mini = leggiRadice(voci, voce);
                if (!mini)
                    return Errore{mini.errore()};
                radice = std::move(mini).valore();
                continue;
            }
            const QString nome = nomeVoce(voci, voce);
            if (nome.compare(QLatin1String("Workbook"), Qt::CaseInsensitive) == 0)
                return contenuto(voci, voce, radice, QStringLiteral("Workbook"));
            if (!vecchia && nome.compare(QLatin1String("Book"), Qt::CaseInsensitive) == 0)
                vecchia = voce;
        }
        if (vecchia)
            return contenuto(voci, *vecchia, radice, QStringLiteral("Book"));
        return Errore{QStringLiteral("il file non contiene una cartella di lavoro")};
    }

    // A name is UTF-16, at most 31 characters and a terminator.
    static QString nomeVoce(const QByteArray& voci, qsizetype voce)
    {
        const quint16 lunghezza = qMin<quint16>(leggi16(voci, voce + 0x40), 64);
        QString nome = QString::fromUtf16(
            reinterpret_cast<const char16_t*>(voci.constData() + voce), lunghezza / 2);
        if (const qsizetype fine = nome.indexOf(QChar(u'\0')); fine >= 0)
            nome.truncate(fine);
        return nome;
    }

    Esito<QByteArray> leggiRadice(const QByteArray& voci, qsizetype voce)
    {
        auto mini = catena(leggi32(voci, voce + 0x74), leggi32(voci, voce + 0x78));
        if (!mini)
            return mini;
        m_tabellaMini.clear();
        auto tabellaMini = catena(leggi32(m_dati, 0x3C), std::numeric_limits<quint64>::max());
        if (tabellaMini)
            for (qsizetype i = 0; i + 4 <= tabellaMini.valore().size(); i += 4)
                m_tabellaMini.push_back(leggi32(tabellaMini.valore(), i));
        return mini;
    }

    Esito<FlussoCartella> contenuto(const QByteArray& voci, qsizetype voce,
                                    const std::optional<QByteArray>& radice, const QString& nome)
    {
        // An entry of that name that is no stream is damage.
        if (static_cast<quint8>(voci[voce + 0x42]) != 2)
            return danneggiato();
        const quint32 inizio = leggi32(voci, voce + 0x74);
        const quint64 dimensione = leggi32(voci, voce + 0x78);
        Esito<QByteArray> byte = danneggiato();
        if (dimensione >= m_minimo)
            byte = catena(inizio, dimensione);
        else if (radice)
            byte = catenaMini(*radice, inizio, dimensione);
        if (!byte)
            return Errore{byte.errore()};
        return FlussoCartella{nome, std::move(byte).valore()};
    }

    quint32 numeroSettori() const { return static_cast<quint32>(m_dati.size() / m_settore) + 1; }
    qint64 inizioSettore(quint32 settore) const
    {
        const qint64 base = (static_cast<qint64>(settore) + 1) * m_settore;
        return base + m_settore <= m_dati.size() ? base : -1;
    }

    // A chain never visits more sectors than the file has: a loop is damage.
    Esito<QByteArray> catena(quint32 settore, quint64 dimensione) const
    {
        QByteArray risultato;
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

    const QByteArray& m_dati;
    quint32 m_settore = 512;
    quint32 m_minimo = 4096;
    std::vector<quint32> m_tabella;
    std::vector<quint32> m_tabellaMini;
};

} // namespace

Esito<FlussoCartella> flussoCartella(const QByteArray& documento)
{
    return Lettura(documento).flusso();
}
