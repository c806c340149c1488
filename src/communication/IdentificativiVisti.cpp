#include "communication/IdentificativiVisti.h"

namespace {

constexpr std::size_t kPostiIniziali = 1024; // a power of two, as every later size

// FNV-1a: identifiers are short, and this spreads them well enough.
std::uint32_t hashDi(QByteArrayView byte)
{
    std::uint32_t h = 2166136261u;
    for (const char c : byte) {
        h ^= static_cast<unsigned char>(c);
        h *= 16777619u;
    }
    return h;
}

// The buffer's offsets are 32 bits wide; a sheet never comes near them.
constexpr qsizetype kTestoMassimo = 0xFFFFFFFFll;

} // namespace

std::size_t IdentificativiVisti::posto(std::uint32_t hash, QByteArrayView identificativo) const
{
    const std::size_t maschera = m_tabella.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & maschera;; i = (i + 1) & maschera) {
        const Voce& voce = m_tabella[i];
        if (voce.riga == 0 ||
            (voce.hash == hash &&
             QByteArrayView(m_testo.constData() + voce.inizio, voce.lunghezza) == identificativo))
            return i;
    }
}

void IdentificativiVisti::allarga()
{
    std::vector<Voce> vecchia(m_tabella.empty() ? kPostiIniziali : m_tabella.size() * 2);
    vecchia.swap(m_tabella);
    const std::size_t maschera = m_tabella.size() - 1;
    for (const Voce& voce : vecchia) {
        if (voce.riga == 0)
            continue;
        std::size_t i = static_cast<std::size_t>(voce.hash) & maschera;
        while (m_tabella[i].riga != 0)
            i = (i + 1) & maschera;
        m_tabella[i] = voce;
    }
}

int IdentificativiVisti::registra(QByteArrayView identificativo, int riga)
{
    // Kept at most half full, so a search ends after a few slots.
    if ((m_occupate + 1) * 2 > m_tabella.size())
        allarga();
    const std::uint32_t hash = hashDi(identificativo);
    Voce& voce = m_tabella[posto(hash, identificativo)];
    if (voce.riga != 0)
        return voce.riga;
    if (m_testo.size() + identificativo.size() > kTestoMassimo)
        return 0;
    voce = {hash, static_cast<std::uint32_t>(m_testo.size()),
            static_cast<std::uint32_t>(identificativo.size()), riga};
    m_testo.append(identificativo);
    ++m_occupate;
    return 0;
}
