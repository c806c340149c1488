#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

// The transaction identifiers of a sheet met so far, each with the row it was
// first met on. A month may hold 500,000 of them: their bytes go into one
// buffer and an open-addressing table points into it, so remembering one
// costs no allocation of its own.
class IdentificativiVisti
{
public:
    // The row `identificativo` was first met on; 0 when this is the first
    // time, and it is then remembered as met on `riga` (from 1).
    int registra(QByteArrayView identificativo, int riga);

private:
    // 16 bytes: a month's table of a million slots stays within 16 MB.
    struct Voce
    {
        std::uint32_t hash = 0;
        std::uint32_t inizio = 0; // in m_testo
        std::uint32_t lunghezza = 0;
        int riga = 0; // 0: a free slot
    };

    void allarga();
    std::size_t posto(std::uint32_t hash, QByteArrayView identificativo) const;

    std::vector<Voce> m_tabella;
    QByteArray m_testo;
    std::size_t m_occupate = 0;
};
