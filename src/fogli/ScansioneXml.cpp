#include "fogli/ScansioneXml.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace {

// expat's words for the faults, so that a message reads the same whichever
// reader found it.
constexpr char kMalformato[] = "not well-formed (invalid token)";
constexpr char kNonChiuso[] = "unclosed token";
constexpr char kNessunElemento[] = "no element found";
constexpr char kTagDiversi[] = "mismatched tag";
constexpr char kDopoRadice[] = "junk after document element";
constexpr char kAttributoDoppio[] = "duplicate attribute";
constexpr char kEntitaIgnota[] = "undefined entity";
constexpr char kCarattereNonValido[] = "reference to invalid character number";
constexpr char kDichiarazioneFuoriPosto[] = "XML or text declaration not at start of entity";
constexpr char kTipoDocumento[] = "document type declaration not supported";

constexpr qsizetype kPezzoMassimo = 16 << 20;

// The classes of the bytes, looked up: this runs for every byte of a tag.
enum Classe : unsigned char
{
    kSpazio = 1,     // blank
    kFineNome = 2,   // ends a name
    kIniziaNome = 4, // may begin a name (non-ASCII bytes included)
    kNelNome = 8,    // may be in a name
    kSemplice = 16,  // text or value byte taken as it stands
};

constexpr std::array<unsigned char, 256> classi()
{
    std::array<unsigned char, 256> t{};
    for (int c = 0; c < 256; ++c) {
        unsigned char k = 0;
        const bool lettera = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool cifra = c >= '0' && c <= '9';
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            k |= kSpazio | kFineNome;
        if (c == '/' || c == '>' || c == '=' || c == '<' || c == '"' || c == '\'' || c == '&')
            k |= kFineNome;
        if (lettera || c == '_' || c == ':' || c >= 0x80)
            k |= kIniziaNome | kNelNome;
        if (cifra || c == '.' || c == '-')
            k |= kNelNome;
        if (c >= 0x20 && c < 0x80 && c != '&' && c != '<')
            k |= kSemplice;
        t[static_cast<std::size_t>(c)] = k;
    }
    return t;
}

constexpr std::array<unsigned char, 256> kClassi = classi();

bool di(char c, unsigned char classe)
{
    return kClassi[static_cast<unsigned char>(c)] & classe;
}

bool spazio(char c)
{
    return di(c, kSpazio);
}

// Where a name ends; what may be in one is checked apart.
bool fineNome(char c)
{
    return di(c, kFineNome);
}

bool nomeValido(std::string_view nome)
{
    if (nome.empty() || !di(nome[0], kIniziaNome))
        return false;
    for (std::size_t i = 1; i < nome.size(); ++i)
        if (!di(nome[i], kNelNome))
            return false;
    return true;
}

// A character XML allows in a document.
bool carattereXml(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The character of the UTF-8 sequence at p, advancing p; 0xFFFFFFFF when
// the bytes are no UTF-8 (overlong, a surrogate, cut short).
char32_t carattereUtf8(const char*& p, const char* fine)
{
    const auto b0 = static_cast<unsigned char>(*p);
    int seguiti = 0;
    char32_t c = 0;
    char32_t minimo = 0;
    if (b0 < 0xC2 || b0 > 0xF4)
        return 0xFFFFFFFF;
    if (b0 < 0xE0) {
        seguiti = 1;
        c = b0 & 0x1F;
        minimo = 0x80;
    } else if (b0 < 0xF0) {
        seguiti = 2;
        c = b0 & 0x0F;
        minimo = 0x800;
    } else {
        seguiti = 3;
        c = b0 & 0x07;
        minimo = 0x10000;
    }
    if (fine - p <= seguiti)
        return 0xFFFFFFFF;
    for (int i = 1; i <= seguiti; ++i) {
        const auto b = static_cast<unsigned char>(p[i]);
        if ((b & 0xC0) != 0x80)
            return 0xFFFFFFFF;
        c = c << 6 | (b & 0x3F);
    }
    if (c < minimo || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return 0xFFFFFFFF;
    p += seguiti + 1;
    return c;
}

void aggiungiUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | c >> 6);
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | c >> 12);
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | c >> 18);
        s += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        s += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// A character reference's number, decimal or hexadecimal.
bool riferimento(std::string_view corpo, char32_t& c)
{
    const bool esadecimale = !corpo.empty() && corpo[0] == 'x';
    if (esadecimale)
        corpo.remove_prefix(1);
    if (corpo.empty() || corpo.size() > 8)
        return false;
    c = 0;
    for (char cifra : corpo) {
        int valore = -1;
        if (cifra >= '0' && cifra <= '9')
            valore = cifra - '0';
        else if (esadecimale && cifra >= 'a' && cifra <= 'f')
            valore = cifra - 'a' + 10;
        else if (esadecimale && cifra >= 'A' && cifra <= 'F')
            valore = cifra - 'A' + 10;
        if (valore < 0)
            return false;
        c = c * (esadecimale ? 16 : 10) + static_cast<char32_t>(valore);
    }
    return true;
}

// The XML declaration after "<?xml": the version, then optionally the
// encoding and standalone, each a name, '=' and a quoted value.
bool dichiarazioneValida(const char* p, const char* fine)
{
    const auto pseudoAttributo = [&](std::string_view nome, std::string_view& valore) {
        const char* q = p;
        if (q == fine || !spazio(*q))
            return false;
        while (q < fine && spazio(*q))
            ++q;
        if (std::string_view(q, static_cast<std::size_t>(fine - q)).substr(0, nome.size()) != nome)
            return false;
        q += nome.size();
        while (q < fine && spazio(*q))
            ++q;
        if (q == fine || *q++ != '=')
            return false;
        while (q < fine && spazio(*q))
            ++q;
        if (q == fine || (*q != '"' && *q != '\''))
            return false;
        const char virgolette = *q++;
        const char* chiusura = static_cast<const char*>(
            std::memchr(q, virgolette, static_cast<std::size_t>(fine - q)));
        if (!chiusura)
            return false;
        valore = std::string_view(q, static_cast<std::size_t>(chiusura - q));
        p = chiusura + 1;
        return true;
    };
    std::string_view valore;
    if (!pseudoAttributo("version", valore) || valore.empty() ||
        !std::all_of(valore.begin(), valore.end(), [](char c) {
            return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' ||
                   c == ':' || c == '-';
        }))
        return false;
    if (pseudoAttributo("encoding", valore) &&
        (valore.empty() || !std::isalpha(static_cast<unsigned char>(valore[0])) ||
         !std::all_of(valore.begin(), valore.end(), [](char c) {
             return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
         })))
        return false;
    if (pseudoAttributo("standalone", valore) && valore != "yes" && valore != "no")
        return false;
    return std::all_of(p, fine, spazio);
}

// The line feeds in the bytes: a sheet may be one line of half a gigabyte,
// or a line a row.
qint64 righe(const char* p, const char* fine)
{
    qint64 n = 0;
    while (
        (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(fine - p))))) {
        ++n;
        ++p;
    }
    return n;
}

const char* cerca(const char* p, const char* fine, std::string_view cosa)
{
    const char* trovato = std::search(p, fine, cosa.begin(), cosa.end());
    return trovato == fine ? nullptr : trovato;
}

} // namespace

ScansioneXml::ScansioneXml(void* dati, Inizio inizio, Fine fine, Testo testo)
    : m_dati(dati), m_inizio(inizio), m_fine(fine), m_testo(testo)
{
}

bool ScansioneXml::sbaglia(const char* errore)
{
    m_errore = errore;
    return false;
}

bool ScansioneXml::analizza(const char* dati, qsizetype n, bool ultimo)
{
    if (m_errore)
        return false;
    if (m_fermato)
        return true;
    const char* fine = dati + n;
    std::string blocco;
    if (!m_resto.empty()) {
        // The piece cut at the last block's end, completed by the first
        // bytes of this one; the scan then goes on in this block itself,
        // rather than in a copy of it.
        const std::size_t resto = m_resto.size();
        const qsizetype presi = std::min<qsizetype>(n, 64 * 1024);
        blocco.swap(m_resto);
        blocco.append(dati, static_cast<std::size_t>(presi));
        const char* fermo = nullptr;
        const char* inizio = blocco.data();
        const bool ok =
            scandisci(inizio, inizio + blocco.size(), ultimo && presi == n, fermo, inizio + resto);
        m_riga += righe(inizio, fermo);
        if (!ok || m_fermato)
            return ok;
        if (fermo >= inizio + resto) {
            dati += fermo - (inizio + resto);
        } else if (presi < n) {
            // A piece longer than that: the whole block after it.
            blocco.erase(0, static_cast<std::size_t>(fermo - inizio));
            blocco.append(dati + presi, static_cast<std::size_t>(n - presi));
            dati = blocco.data();
            fine = dati + blocco.size();
        } else {
            return chiudiBlocco(fermo, inizio + blocco.size(), ultimo);
        }
    }
    const char* fermo = dati;
    const bool ok = scandisci(dati, fine, ultimo, fermo, fine);
    m_riga += righe(dati, fermo);
    if (!ok || m_fermato)
        return ok;
    return chiudiBlocco(fermo, fine, ultimo);
}

// What is left of a block once scanned: the start of a piece that goes on
// in the next, or at the end of the document an error.
bool ScansioneXml::chiudiBlocco(const char* fermo, const char* fine, bool ultimo)
{
    if (ultimo) {
        if (fermo != fine)
            return sbaglia(kNonChiuso);
        if (!m_radiceVista || !m_aperti.empty())
            return sbaglia(kNessunElemento);
        return true;
    }
    // No piece of a worksheet is that long (a cell holds at most 32767
    // characters): a damaged part would otherwise be gathered whole.
    if (fine - fermo > kPezzoMassimo)
        return sbaglia(kNonChiuso);
    m_resto.assign(fermo, fine);
    return true;
}

// Scans pieces from `inizio` until the bytes run out or a piece starts at
// or after `limite`; `fermo` is where it stopped.
bool ScansioneXml::scandisci(const char* inizio, const char* fine, bool ultimo, const char*& fermo,
                             const char* limite)
{
    const char* p = inizio;
    // A byte order mark may open the document.
    if (m_inizioDocumento && fine - p >= 3 && std::memcmp(p, "\xEF\xBB\xBF", 3) == 0)
        p += 3;
    while (p < fine && p < limite && !m_fermato) {
        const char* pezzo = p;
        const Passo passo = *p == '<' ? marcatura(p, fine) : testo(p, fine, ultimo);
        if (passo != Passo::fatto) {
            fermo = pezzo;
            return passo == Passo::incompleto;
        }
        m_inizioDocumento = false;
    }
    fermo = p;
    return true;
}

ScansioneXml::Passo ScansioneXml::testo(const char*& p, const char* fine, bool ultimo)
{
    const char* q =
        static_cast<const char*>(std::memchr(p, '<', static_cast<std::size_t>(fine - p)));
    if (!q) {
        if (!ultimo)
            return Passo::incompleto; // the text goes on in the next block
        q = fine;
    }
    if (m_aperti.empty()) {
        // Outside the root element only blanks.
        if (!std::all_of(p, q, spazio)) {
            m_errore = m_radiceVista ? kDopoRadice : kMalformato;
            return Passo::errore;
        }
        p = q;
        return Passo::fatto;
    }
    m_testoDecodificato.clear();
    if (!decodifica(p, q, m_testoDecodificato, Contenuto::testo))
        return Passo::errore;
    p = q;
    if (!m_testoDecodificato.empty())
        m_testo(m_dati, m_testoDecodificato.data(), static_cast<int>(m_testoDecodificato.size()));
    return Passo::fatto;
}

// Text or an attribute's value as the handlers get it: entities and
// character references replaced, line ends as one line feed (in a value,
// every blank a space), each byte checked to be UTF-8 of a character XML
// allows. Raw content (a CDATA section, a comment, a processing
// instruction) keeps '&' and '<' as they stand.
bool ScansioneXml::decodifica(const char* p, const char* fine, std::string& destinazione,
                              Contenuto contenuto)
{
    const bool valore = contenuto == Contenuto::valore;
    const bool grezzo = contenuto == Contenuto::grezzo;
    while (p < fine) {
        const char c = *p;
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const char* inizio = p;
            if (!carattereXml(carattereUtf8(p, fine)))
                return sbaglia(kMalformato);
            destinazione.append(inizio, p);
        } else if (c == '&' && !grezzo) {
            const char* puntoEVirgola =
                static_cast<const char*>(std::memchr(p, ';', static_cast<std::size_t>(fine - p)));
            if (!puntoEVirgola)
                return sbaglia(kMalformato);
            const std::string_view nome(p + 1, static_cast<std::size_t>(puntoEVirgola - p - 1));
            if (nome == "lt")
                destinazione += '<';
            else if (nome == "gt")
                destinazione += '>';
            else if (nome == "amp")
                destinazione += '&';
            else if (nome == "quot")
                destinazione += '"';
            else if (nome == "apos")
                destinazione += '\'';
            else if (!nome.empty() && nome[0] == '#') {
                char32_t numero = 0;
                if (!riferimento(nome.substr(1), numero))
                    return sbaglia(kMalformato);
                if (!carattereXml(numero))
                    return sbaglia(kCarattereNonValido);
                aggiungiUtf8(destinazione, numero);
            } else {
                return sbaglia(nomeValido(nome) ? kEntitaIgnota : kMalformato);
            }
            p = puntoEVirgola + 1;
        } else if (c == '\r') {
            destinazione += valore ? ' ' : '\n';
            ++p;
            if (p < fine && *p == '\n')
                ++p;
        } else if (u < 0x20 && c != '\t' && c != '\n') {
            return sbaglia(kMalformato);
        } else if (c == '<' && !grezzo) {
            return sbaglia(kMalformato);
        } else if (valore && (c == '\t' || c == '\n')) {
            destinazione += ' ';
            ++p;
        } else {
            // A run of plain ASCII at once.
            const char* q = p + 1;
            while (q < fine && di(*q, kSemplice))
                ++q;
            destinazione.append(p, q);
            p = q;
        }
    }
    return true;
}

ScansioneXml::Passo ScansioneXml::marcatura(const char*& p, const char* fine)
{
    if (fine - p < 2)
        return Passo::incompleto;
    if (p[1] == '/')
        return fineElemento(p, fine);
    if (p[1] == '?' || p[1] == '!')
        return speciale(p, fine);
    return inizioElemento(p, fine);
}

ScansioneXml::Passo ScansioneXml::inizioElemento(const char*& p, const char* fine)
{
    const char* q = p + 1;
    while (q < fine && !fineNome(*q))
        ++q;
    if (q == fine)
        return Passo::incompleto;
    const std::string_view nome(p + 1, static_cast<std::size_t>(q - p - 1));
    if (!nomeValido(nome)) {
        m_errore = kMalformato;
        return Passo::errore;
    }
    if (m_radiceVista && m_aperti.empty()) {
        m_errore = kDopoRadice;
        return Passo::errore;
    }
    m_byteAttributi.clear();
    m_posizioni.clear();
    bool vuoto = false;
    for (;;) {
        const char* primaDegliSpazi = q;
        while (q < fine && spazio(*q))
            ++q;
        if (q == fine)
            return Passo::incompleto;
        if (*q == '>') {
            ++q;
            break;
        }
        if (*q == '/') {
            if (q + 1 == fine)
                return Passo::incompleto;
            if (q[1] != '>') {
                m_errore = kMalformato;
                return Passo::errore;
            }
            q += 2;
            vuoto = true;
            break;
        }
        // An attribute: blanks before it, a name, '=', a quoted value.
        const char* inizioNome = q;
        while (q < fine && !fineNome(*q))
            ++q;
        const std::string_view attributo(inizioNome, static_cast<std::size_t>(q - inizioNome));
        while (q < fine && spazio(*q))
            ++q;
        if (q == fine)
            return Passo::incompleto;
        if (primaDegliSpazi == inizioNome || !nomeValido(attributo) || *q != '=') {
            m_errore = kMalformato;
            return Passo::errore;
        }
        ++q;
        while (q < fine && spazio(*q))
            ++q;
        if (q == fine)
            return Passo::incompleto;
        if (*q != '"' && *q != '\'') {
            m_errore = kMalformato;
            return Passo::errore;
        }
        const char virgolette = *q++;
        const char* chiusura = static_cast<const char*>(
            std::memchr(q, virgolette, static_cast<std::size_t>(fine - q)));
        if (!chiusura)
            return Passo::incompleto;
        for (std::size_t i = 0; i < m_posizioni.size(); i += 2)
            if (attributo == std::string_view(m_byteAttributi.data() + m_posizioni[i],
                                              m_posizioni[i + 1] - m_posizioni[i] - 1)) {
                m_errore = kAttributoDoppio;
                return Passo::errore;
            }
        m_posizioni.push_back(m_byteAttributi.size());
        m_byteAttributi.append(attributo).append(1, '\0');
        m_posizioni.push_back(m_byteAttributi.size());
        if (!decodifica(q, chiusura, m_byteAttributi, Contenuto::valore))
            return Passo::errore;
        m_byteAttributi.append(1, '\0');
        q = chiusura + 1;
        // The next attribute must be apart from this one.
        if (q < fine && !spazio(*q) && *q != '/' && *q != '>') {
            m_errore = kMalformato;
            return Passo::errore;
        }
    }
    for (std::size_t posizione : m_posizioni)
        m_attributi.push_back(m_byteAttributi.data() + posizione);
    m_attributi.push_back(nullptr);
    // The name, NUL-terminated, on the stack of open elements; an empty
    // element's is taken off again at once.
    m_aperti.push_back(m_nomiAperti.size());
    m_nomiAperti.append(nome).append(1, '\0');
    const char* nomeC = m_nomiAperti.c_str() + m_aperti.back();
    m_radiceVista = true;
    p = q;
    m_inizio(m_dati, nomeC, m_attributi.data());
    m_attributi.clear();
    if (vuoto) {
        if (!m_fermato)
            m_fine(m_dati, nomeC);
        chiudiUltimo();
    }
    return Passo::fatto;
}

ScansioneXml::Passo ScansioneXml::fineElemento(const char*& p, const char* fine)
{
    const char* q = p + 2;
    while (q < fine && !fineNome(*q))
        ++q;
    const std::string_view nome(p + 2, static_cast<std::size_t>(q - p - 2));
    while (q < fine && spazio(*q))
        ++q;
    if (q == fine)
        return Passo::incompleto;
    if (*q != '>' || !nomeValido(nome)) {
        m_errore = kMalformato;
        return Passo::errore;
    }
    if (m_aperti.empty() || std::string_view(m_nomiAperti.c_str() + m_aperti.back(),
                                             m_nomiAperti.size() - m_aperti.back() - 1) != nome) {
        m_errore = kTagDiversi;
        return Passo::errore;
    }
    p = q + 1;
    m_fine(m_dati, m_nomiAperti.c_str() + m_aperti.back());
    chiudiUltimo();
    return Passo::fatto;
}

void ScansioneXml::chiudiUltimo()
{
    m_nomiAperti.resize(m_aperti.back());
    m_aperti.pop_back();
}

// Declarations, processing instructions, comments and CDATA sections.
ScansioneXml::Passo ScansioneXml::speciale(const char*& p, const char* fine)
{
    const std::string_view vista(p, static_cast<std::size_t>(fine - p));
    const auto sbagliato = [this](const char* errore) {
        m_errore = errore;
        return Passo::errore;
    };
    if (vista.starts_with("<?")) {
        const char* chiusura = cerca(p + 2, fine, "?>");
        if (!chiusura)
            return Passo::incompleto;
        const char* q = p + 2;
        while (q < chiusura && !spazio(*q) && *q != '?')
            ++q;
        std::string obiettivo(p + 2, q);
        std::transform(obiettivo.begin(), obiettivo.end(), obiettivo.begin(),
                       [](char c) { return static_cast<char>(std::tolower(c)); });
        if (!nomeValido(obiettivo))
            return sbagliato(kMalformato);
        // The XML declaration, only as the document's very first bytes.
        if (obiettivo == "xml" && !m_inizioDocumento)
            return sbagliato(kDichiarazioneFuoriPosto);
        if (obiettivo == "xml" &&
            (std::string_view(p + 2, 3) != "xml" || !dichiarazioneValida(q, chiusura)))
            return sbagliato(kMalformato);
        m_testoDecodificato.clear();
        if (!decodifica(q, chiusura, m_testoDecodificato, Contenuto::grezzo))
            return Passo::errore;
        p = chiusura + 2;
        return Passo::fatto;
    }
    // Too few bytes yet to tell which.
    for (std::string_view apertura : {"<!--", "<![CDATA[", "<!DOCTYPE"})
        if (vista.size() < apertura.size() && apertura.starts_with(vista))
            return Passo::incompleto;
    if (vista.starts_with("<!--")) {
        const char* chiusura = cerca(p + 4, fine, "--");
        if (!chiusura || chiusura + 2 >= fine)
            return Passo::incompleto;
        if (chiusura[2] != '>')
            return sbagliato(kMalformato); // "--" inside a comment
        m_testoDecodificato.clear();
        if (!decodifica(p + 4, chiusura, m_testoDecodificato, Contenuto::grezzo))
            return Passo::errore;
        p = chiusura + 3;
        return Passo::fatto;
    }
    if (vista.starts_with("<![CDATA[")) {
        if (m_aperti.empty())
            return sbagliato(m_radiceVista ? kDopoRadice : kMalformato);
        const char* chiusura = cerca(p + 9, fine, "]]>");
        if (!chiusura)
            return Passo::incompleto;
        // Its bytes are text as they stand: only line ends and UTF-8 are seen to.
        std::string& testo = m_testoDecodificato;
        testo.clear();
        if (!decodifica(p + 9, chiusura, testo, Contenuto::grezzo))
            return Passo::errore;
        p = chiusura + 3;
        if (!testo.empty())
            m_testo(m_dati, testo.data(), static_cast<int>(testo.size()));
        return Passo::fatto;
    }
    return sbagliato(vista.starts_with("<!DOCTYPE") ? kTipoDocumento : kMalformato);
}
