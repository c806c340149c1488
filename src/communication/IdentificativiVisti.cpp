#include "communication/IdentificativiVisti.h"

#include <new>

namespace {

constexpr std::size_t kPostiMinimi = 1024; // a power of two, as every later size

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

// The order of identifiers that count up: "T9" before "T10", 99 before 100.
bool dopo(QByteArrayView identificativo, QByteArrayView precedente)
{
    if (identificativo.size() != precedente.size())
        return identificativo.size() > precedente.size();
    return identificativo.compare(precedente) > 0;
}

} // namespace

QByteArrayView IdentificativiVisti::testo(std::size_t voce) const
{
    const std::uint32_t inizio = m_voci[voce].inizio;
    const qsizetype fine = voce + 1 < m_voci.size() ? m_voci[voce + 1].inizio : m_testo.size();
    return QByteArrayView(m_testo.constData() + inizio, fine - inizio);
}

void IdentificativiVisti::metti(Posto posto)
{
    const std::size_t maschera = m_numeroPosti - 1;
    std::size_t i = posto.hash & maschera;
    while (m_posti[i].voce != 0)
        i = (i + 1) & maschera;
    m_posti[i] = posto;
}

void IdentificativiVisti::allarga(std::size_t numero)
{
    // calloc: the system zeroes the pages as they are touched.
    Posti posti(static_cast<Posto*>(std::calloc(numero, sizeof(Posto))), &std::free);
    if (!posti)
        throw std::bad_alloc();
    Posti vecchi = std::move(m_posti);
    const std::size_t numeroVecchi = m_numeroPosti;
    m_posti = std::move(posti);
    m_numeroPosti = numero;
    if (vecchi) {
        for (std::size_t i = 0; i < numeroVecchi; ++i) {
            if (vecchi[i].voce != 0)
                metti(vecchi[i]);
        }
        return;
    }
    for (std::size_t v = 0; v < m_voci.size(); ++v)
        metti({hashDi(testo(v)), static_cast<std::uint32_t>(v + 1)});
}

void IdentificativiVisti::aggiungi(QByteArrayView identificativo, int riga)
{
    m_voci.push_back({static_cast<std::uint32_t>(m_testo.size()), riga});
    m_testo.append(identificativo);
}

int IdentificativiVisti::registra(QByteArrayView identificativo, int riga)
{
    if (m_testo.size() + identificativo.size() > kTestoMassimo)
        return 0;
    if (!m_posti) {
        if (m_voci.empty() || dopo(identificativo, testo(m_voci.size() - 1))) {
            aggiungi(identificativo, riga);
            return 0;
        }
        std::size_t numero = kPostiMinimi;
        while (numero < (m_voci.size() + 1) * 2)
            numero *= 2;
        allarga(numero);
    }
    // Kept at most half full, so a search ends after a few slots.
    if ((m_voci.size() + 1) * 2 > m_numeroPosti)
        allarga(m_numeroPosti * 2);
    const std::uint32_t hash = hashDi(identificativo);
    const std::size_t maschera = m_numeroPosti - 1;
    for (std::size_t i = hash & maschera; m_posti[i].voce != 0; i = (i + 1) & maschera) {
        const std::size_t voce = m_posti[i].voce - 1;
        if (m_posti[i].hash == hash && testo(voce) == identificativo)
            return m_voci[voce].riga;
    }
    aggiungi(identificativo, riga);
    metti({hash, static_cast<std::uint32_t>(m_voci.size())});
    return 0;
}
