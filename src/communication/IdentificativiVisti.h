#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

// The transaction identifiers of a sheet met so far, each with the row it was
// first met on. A month may hold 500,000 of them: their bytes go one after
// the other into one buffer, so remembering one costs no allocation of its
// own. Identifiers usually count up ("T9" before "T10"): while each comes
// after the one before (shorter first, then byte by byte) none can repeat an
// earlier one and nothing is looked up; the first that does not turns on an
// open-addressing table of 8-byte slots over them all.
class IdentificativiVisti
{
public:
    // The row `identificativo` was first met on; 0 when this is the first
    // time, and it is then remembered as met on `riga` (from 1).
    int registra(QByteArrayView identificativo, int riga);

private:
    struct Posto
    {
        std::uint32_t hash;
        std::uint32_t voce; // 1 + index in m_voci; 0: a free slot
    };
    struct Voce
    {
        std::uint32_t inizio; // in m_testo; it ends where the next one starts
        int riga;
    };
    using Posti = std::unique_ptr<Posto[], decltype(&std::free)>;

    QByteArrayView testo(std::size_t voce) const;
    void aggiungi(QByteArrayView identificativo, int riga);
    void metti(Posto posto);
    void allarga(std::size_t numero);

    std::vector<Voce> m_voci;
    QByteArray m_testo;
    Posti m_posti{nullptr, &std::free}; // none while the identifiers count up
    std::size_t m_numeroPosti = 0;
};
