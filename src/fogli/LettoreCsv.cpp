#include "fogli/LettoreCsv.h"

#include "base/Cp1252.h"
#include "base/ErroreSistema.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace {

constexpr qint64 kBlocco = 256 * 1024;

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
// `resto` carries an incomplete sequence at the end of one block to the next.
class ValidatoreUtf8
{
public:
    bool aggiungi(const char* dati, qsizetype n)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(dati);
        const auto* fine = p + n;
        while (p < fine) {
            if (m_mancanti == 0) {
                // Plain ASCII runs are the common case: a word at a time.
                while (fine - p >= 8) {
                    quint64 parola;
                    std::memcpy(&parola, p, 8);
                    if (parola & 0x8080808080808080ULL)
                        break;
                    p += 8;
                }
                while (p < fine && *p < 0x80)
                    ++p;
                if (p == fine)
                    break;
                const unsigned char c = *p++;
                if (c >= 0xC2 && c <= 0xDF) {
                    m_mancanti = 1;
                    m_minimo = 0x80;
                    m_massimo = 0xBF;
                } else if (c >= 0xE0 && c <= 0xEF) {
                    m_mancanti = 2;
                    m_minimo = c == 0xE0 ? 0xA0 : 0x80;
                    m_massimo = c == 0xED ? 0x9F : 0xBF;
                } else if (c >= 0xF0 && c <= 0xF4) {
                    m_mancanti = 3;
                    m_minimo = c == 0xF0 ? 0x90 : 0x80;
                    m_massimo = c == 0xF4 ? 0x8F : 0xBF;
                } else {
                    return false;
                }
            } else {
                const unsigned char c = *p++;
                if (c < m_minimo || c > m_massimo)
                    return false;
                m_minimo = 0x80;
                m_massimo = 0xBF;
                --m_mancanti;
            }
        }
        return true;
    }
    bool completo() const { return m_mancanti == 0; }

private:
    int m_mancanti = 0;
    unsigned char m_minimo = 0x80;
    unsigned char m_massimo = 0xBF;
};

// The first line ending (LF or CR) from `p`, or `fine`. Most bytes of a line
// are neither, so the search runs a machine word at a time.
const char* fineRiga(const char* p, const char* fine)
{
    while (fine - p >= 8) {
        quint64 parola;
        std::memcpy(&parola, p, 8);
        // A byte equal to LF or CR becomes zero, then the usual zero-byte test.
        constexpr quint64 kUni = 0x0101010101010101ULL;
        constexpr quint64 kAlti = 0x8080808080808080ULL;
        const quint64 lf = parola ^ (kUni * '\n');
        const quint64 cr = parola ^ (kUni * '\r');
        if ((((lf - kUni) & ~lf) | ((cr - kUni) & ~cr)) & kAlti)
            break;
        p += 8;
    }
    while (p < fine && *p != '\n' && *p != '\r')
        ++p;
    return p;
}

constexpr quint64 kUni = 0x0101010101010101ULL;
constexpr quint64 kBassi = 0x7F7F7F7F7F7F7F7FULL;

// The high bit of each byte of `parola` that equals `b`, and no other bit:
// unlike the usual zero-byte test, exact for every byte, so each bit is a
// position.
quint64 byteUguali(quint64 parola, char b)
{
    const quint64 x = parola ^ (kUni * static_cast<unsigned char>(b));
    return ~(((x & kBassi) + kBassi) | x | kBassi);
}

// ASCII bytes widened to UTF-16, eight at a time: each group of four bytes
// spread to the low halves of four 16-bit units. The last eight are done
// again from the end rather than one by one.
void allarga(const char* byte, qsizetype n, char16_t* testo)
{
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        const auto otto = [byte, testo](qsizetype i) {
            const auto sparsi = [](quint64 x) {
                x = (x | (x << 16)) & 0x0000FFFF0000FFFFULL;
                return (x | (x << 8)) & 0x00FF00FF00FF00FFULL;
            };
            quint64 parola;
            std::memcpy(&parola, byte + i, 8);
            const quint64 bassi = sparsi(parola & 0xFFFFFFFFULL);
            const quint64 alti = sparsi(parola >> 32);
            std::memcpy(testo + i, &bassi, 8);
            std::memcpy(testo + i + 4, &alti, 8);
        };
        if (n >= 8) {
            for (qsizetype i = 0; i + 8 <= n; i += 8)
                otto(i);
            otto(n - 8);
            return;
        }
    }
    for (qsizetype i = 0; i < n; ++i)
        testo[i] = static_cast<unsigned char>(byte[i]);
}

// Where `b` stands in `byte`, up to `massimo` positions; their count. A line
// holds a hundred and more bytes and a separator every few of them, so the
// bytes are looked at a machine word at a time.
int posizioniByte(QByteArrayView byte, char b, qsizetype* posizioni, int massimo)
{
    const char* const dati = byte.data();
    const qsizetype n = byte.size();
    int trovate = 0;
    qsizetype i = 0;
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        for (; i + 8 <= n; i += 8) {
            quint64 parola;
            std::memcpy(&parola, dati + i, 8);
            for (quint64 uguali = byteUguali(parola, b); uguali != 0; uguali &= uguali - 1) {
                if (trovate == massimo)
                    return trovate;
                posizioni[trovate++] = i + std::countr_zero(uguali) / 8;
            }
        }
    }
    for (; i < n && trovate < massimo; ++i) {
        if (dati[i] == b)
            posizioni[trovate++] = i;
    }
    return trovate;
}

// `campo` into `destinazione` without its double quotes. The destination's
// buffer is reused when it is its own and large enough.
void copiaSenzaVirgolette(QStringView campo, QString& destinazione)
{
    destinazione.resize(campo.size());
    char16_t* out = reinterpret_cast<char16_t*>(destinazione.data());
    char16_t* const inizio = out;
    for (const QChar c : campo) {
        *out = c.unicode();
        out += c != QLatin1Char('"');
    }
    destinazione.resize(out - inizio);
}

QString campi(int n)
{
    return n == 1 ? QStringLiteral("1 campo") : QStringLiteral("%1 campi").arg(n);
}

} // namespace

LettoreCsv::LettoreCsv(std::unique_ptr<QIODevice> file, const QString& nome,
                       const ImpostazioniCsv& impostazioni)
    : m_file(std::move(file)), m_nome(nome), m_separatore(impostazioni.separatore),
      m_colonne(qMax(1, impostazioni.colonne)), m_fini(static_cast<std::size_t>(m_colonne)),
      m_primaRigaDati(impostazioni.primaRigaDati)
{
    if (m_separatore.size() == 1 && m_separatore.front().unicode() < 0x80)
        m_separatoreAscii = m_separatore.front().unicode();
}

Esito<std::unique_ptr<LettoreFoglio>> LettoreCsv::apri(std::unique_ptr<QIODevice> file,
                                                       const QString& nome,
                                                       const ImpostazioniCsv& impostazioni)
{
    if (impostazioni.separatore.isEmpty())
        return Errore{QStringLiteral("Separatore dei campi non indicato.")};
    std::unique_ptr<LettoreCsv> lettore(new LettoreCsv(std::move(file), nome, impostazioni));

    // A byte-order mark settles the encoding at once; otherwise the bytes
    // do, when a line first needs them read (see codificaUtf8).
    if (lettore->m_file->peek(3) == QByteArrayLiteral("\xEF\xBB\xBF")) {
        lettore->m_utf8 = true;
        lettore->m_codificaNota = true;
        lettore->m_file->skip(3);
    }
    return std::unique_ptr<LettoreFoglio>(std::move(lettore));
}

Errore LettoreCsv::erroreLettura() const
{
    return Errore{QStringLiteral("Errore di lettura del file %1: %2")
                      .arg(m_nome, ErroreSistema::descrivi(*m_file))};
}

Esito<bool> LettoreCsv::codificaUtf8()
{
    if (m_codificaNota)
        return m_utf8;
    // The encoding is one for the whole file, headings included: a pass of
    // its own over all the bytes, a block at a time, after which the
    // reading goes on where it stood.
    const qint64 posizione = m_file->pos();
    if (!m_file->seek(0))
        return erroreLettura();
    ValidatoreUtf8 validatore;
    const qint64 dimensione = dimensioneBlocco();
    QByteArray blocco(dimensione, Qt::Uninitialized);
    bool valido = true;
    for (;;) {
        const qint64 letti = m_file->read(blocco.data(), dimensione);
        if (letti < 0)
            return erroreLettura();
        if (letti == 0)
            break;
        if (!validatore.aggiungi(blocco.constData(), letti)) {
            valido = false;
            break;
        }
    }
    if (!m_file->seek(posizione))
        return erroreLettura();
    m_utf8 = valido && validatore.completo();
    m_codificaNota = true;
    return m_utf8;
}

// Blocks of 256 KB, or the whole file when it is smaller: a small file then
// costs no large buffer.
qint64 LettoreCsv::dimensioneBlocco() const
{
    return std::clamp<qint64>(m_file->size() + 1, 4096, kBlocco);
}

bool LettoreCsv::riempi()
{
    if (m_fineFile)
        return false;
    m_buffer.remove(0, m_posizione);
    m_posizione = 0;
    const qsizetype prima = m_buffer.size();
    const qint64 dimensione = dimensioneBlocco();
    m_buffer.resize(prima + dimensione);
    const qint64 letti = m_file->read(m_buffer.data() + prima, dimensione);
    m_buffer.resize(prima + qMax<qint64>(letti, 0));
    if (letti <= 0)
        m_fineFile = true;
    m_erroreLettura = letti < 0;
    return letti > 0;
}

Esito<bool> LettoreCsv::prossimaRiga(QByteArrayView& byte)
{
    qsizetype cercaDa = m_posizione;
    for (;;) {
        if (m_crPendente && m_posizione < m_buffer.size()) {
            if (m_buffer[m_posizione] == '\n')
                ++m_posizione;
            m_crPendente = false;
            cercaDa = m_posizione;
        }
        const char* inizio = m_buffer.constData() + cercaDa;
        const char* fine = m_buffer.constData() + m_buffer.size();
        const char* p = fineRiga(inizio, fine);
        if (p < fine) {
            const qsizetype capo = p - m_buffer.constData();
            byte = QByteArrayView(m_buffer.constData() + m_posizione, capo - m_posizione);
            m_posizione = capo + 1;
            if (*p == '\r')
                m_crPendente = true;
            return true;
        }
        cercaDa = m_buffer.size() - m_posizione; // offset after the refill moves the data
        if (cercaDa > kLunghezzaMassimaRiga)
            return Errore{
                QStringLiteral("Riga %1: riga troppo lunga, il file non è un elenco di operazioni.")
                    .arg(m_numeroRiga + 1)};
        if (!riempi()) {
            if (m_erroreLettura)
                return erroreLettura();
            if (m_posizione >= m_buffer.size())
                return false;
            // The last line has no line ending.
            byte =
                QByteArrayView(m_buffer.constData() + m_posizione, m_buffer.size() - m_posizione);
            m_posizione = m_buffer.size();
            return true;
        }
        cercaDa += m_posizione;
    }
}

Esito<bool> LettoreCsv::prossimaRigaDati(QByteArrayView& byte)
{
    for (;;) {
        auto esito = prossimaRiga(byte);
        if (!esito || !*esito)
            return esito;
        ++m_numeroRiga;
        if (m_numeroRiga >= m_primaRigaDati)
            return true;
    }
}

Esito<bool> LettoreCsv::leggi(RigaFoglio& riga)
{
    QByteArrayView byte;
    auto letta = prossimaRigaDati(byte);
    if (!letta || !*letta)
        return letta;
    return dividi(byte, riga);
}

Esito<LettoreCsv::Forma> LettoreCsv::leggiAscii(RigaAscii& ascii, RigaFoglio& riga)
{
    QByteArrayView byte;
    auto letta = prossimaRigaDati(byte);
    if (!letta)
        return Errore{letta.errore()};
    if (!*letta)
        return Forma::fine;
    if (m_separatoreAscii < 0 || !Cp1252::soloAscii(byte) ||
        std::memchr(byte.data(), '"', static_cast<size_t>(byte.size()))) {
        auto divisa = dividi(byte, riga);
        if (!divisa)
            return Errore{divisa.errore()};
        return Forma::testo;
    }

    std::vector<qsizetype>& fini = m_fini;
    const int separatori =
        posizioniByte(byte, static_cast<char>(m_separatoreAscii), fini.data(), m_colonne);
    const int trovati = std::min(separatori + 1, m_colonne);
    if (trovati < m_colonne) {
        auto chiusa = chiudiRiga(trovati, riga);
        return Errore{chiusa.errore()};
    }
    if (separatori < m_colonne)
        fini[static_cast<std::size_t>(separatori)] = byte.size();
    ascii.valori.resize(fini.size());
    qsizetype da = 0;
    for (std::size_t k = 0; k < ascii.valori.size(); ++k) {
        ascii.valori[k] = QLatin1StringView(byte.data() + da, fini[k] - da);
        da = fini[k] + 1;
    }
    ascii.numero = m_numeroRiga;
    return Forma::ascii;
}

void LettoreCsv::comeTesto(const RigaAscii& ascii, RigaFoglio& riga)
{
    riga.valori.resize(ascii.valori.size());
    for (std::size_t k = 0; k < ascii.valori.size(); ++k) {
        const QLatin1StringView valore = ascii.valori[k];
        QString& campo = riga.valori[k];
        if (campo.size() != valore.size() || !campo.isDetached())
            campo.resize(valore.size());
        allarga(valore.data(), valore.size(), reinterpret_cast<char16_t*>(campo.data()));
    }
    riga.numero = ascii.numero;
}

Esito<bool> LettoreCsv::dividi(QByteArrayView byte, RigaFoglio& riga)
{
    riga.valori.resize(static_cast<std::size_t>(m_colonne));
    // An ASCII line reads the same in both encodings, and is nearly every
    // line; with the usual one-character separator its fields are cut from
    // the bytes straight away.
    const bool lineaAscii = Cp1252::soloAscii(byte);
    if (lineaAscii && m_separatoreAscii >= 0)
        return dividiAscii(byte, riga);

    // Otherwise the line's text goes into a buffer kept from line to line.
    if (lineaAscii) {
        m_testo.resize(byte.size());
        char16_t* out = reinterpret_cast<char16_t*>(m_testo.data());
        for (const char c : byte)
            *out++ = static_cast<unsigned char>(c);
    } else {
        auto utf8 = codificaUtf8();
        if (!utf8)
            return Errore{utf8.errore()};
        if (*utf8)
            m_testo = QString::fromUtf8(byte);
        else
            Cp1252::decodificaIn(byte, m_testo);
    }
    const QStringView testo(m_testo);

    // No quoting: the separator splits wherever it stands, even between
    // double quotes, and every double quote is dropped. The agencies' files
    // are made that way, and a quoted field with a separator inside is two.
    // Each field is copied into the row's own text, whose buffer the
    // previous row leaves behind.
    const QStringView separatore(m_separatore);
    int trovati = 0;
    qsizetype inizio = 0;
    while (trovati < m_colonne) {
        const qsizetype fine = separatore.size() == 1 ? testo.indexOf(separatore.front(), inizio)
                                                      : testo.indexOf(separatore, inizio);
        const QStringView campo = testo.mid(inizio, (fine < 0 ? testo.size() : fine) - inizio);
        copiaSenzaVirgolette(campo, riga.valori[static_cast<std::size_t>(trovati++)]);
        if (fine < 0)
            break;
        inizio = fine + separatore.size();
    }
    return chiudiRiga(trovati, riga);
}

Esito<bool> LettoreCsv::dividiAscii(QByteArrayView byte, RigaFoglio& riga)
{
    // Quotes are rare: without any, a field is copied without looking for them.
    if (std::memchr(byte.data(), '"', static_cast<size_t>(byte.size())))
        return dividiConVirgolette(byte, riga);

    // The line widened once into the kept text, then each field copied out
    // of it: fields are a few characters long, so what costs is the work per
    // field, not per character.
    if (m_testo.size() != byte.size())
        m_testo.resize(byte.size());
    allarga(byte.data(), byte.size(), reinterpret_cast<char16_t*>(m_testo.data()));
    const char16_t* const testo = reinterpret_cast<const char16_t*>(m_testo.constData());

    // Each separator ends a field and the line's end the last one; past the
    // last column the line is not read, its rest ignored.
    std::vector<qsizetype>& fini = m_fini;
    const int separatori =
        posizioniByte(byte, static_cast<char>(m_separatoreAscii), fini.data(), m_colonne);
    const int trovati = std::min(separatori + 1, m_colonne);
    if (separatori < m_colonne)
        fini[static_cast<std::size_t>(separatori)] = byte.size();
    qsizetype da = 0;
    for (int k = 0; k < trovati; ++k) {
        const qsizetype a = fini[static_cast<std::size_t>(k)];
        QString& campo = riga.valori[static_cast<std::size_t>(k)];
        const qsizetype n = a - da;
        // Columns often keep their length from row to row.
        if (campo.size() != n || !campo.isDetached())
            campo.resize(n);
        std::memcpy(static_cast<void*>(campo.data()), testo + da,
                    static_cast<size_t>(n) * sizeof(char16_t));
        da = a + 1;
    }
    return chiudiRiga(trovati, riga);
}

Esito<bool> LettoreCsv::dividiConVirgolette(QByteArrayView byte, RigaFoglio& riga)
{
    const char separatore = static_cast<char>(m_separatoreAscii);
    const char* p = byte.data();
    const char* const fine = p + byte.size();
    int trovati = 0;
    while (trovati < m_colonne) {
        const auto* trovato =
            static_cast<const char*>(std::memchr(p, separatore, static_cast<size_t>(fine - p)));
        const char* fineCampo = trovato ? trovato : fine;
        QString& campo = riga.valori[static_cast<std::size_t>(trovati++)];
        const qsizetype n = fineCampo - p;
        if (campo.size() != n || !campo.isDetached())
            campo.resize(n);
        char16_t* out = reinterpret_cast<char16_t*>(campo.data());
        char16_t* const primo = out;
        for (; p < fineCampo; ++p) {
            *out = static_cast<unsigned char>(*p);
            out += *p != '"';
        }
        if (out - primo != n)
            campo.resize(out - primo);
        if (!trovato)
            break;
        p = trovato + 1;
    }
    return chiudiRiga(trovati, riga);
}

Esito<bool> LettoreCsv::chiudiRiga(int trovati, RigaFoglio& riga) const
{
    if (trovati < m_colonne)
        return Errore{QStringLiteral("Riga %1: %2 invece di %3.")
                          .arg(m_numeroRiga)
                          .arg(campi(trovati))
                          .arg(m_colonne)};
    riga.numero = m_numeroRiga;
    return true;
}

double LettoreCsv::quotaLetta() const
{
    const qint64 dimensione = m_file->size();
    return dimensione > 0 ? static_cast<double>(m_file->pos()) / static_cast<double>(dimensione)
                          : -1;
}
