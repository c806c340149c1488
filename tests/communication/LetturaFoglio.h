#pragma once

#include "communication/LettoreFoglio.h"

#include <vector>

// Every row a reader gives, or the error that ended the reading, for tests
// that compare a whole sheet at once.
struct LetturaFoglio
{
    std::vector<RigaFoglio> righe;
    QString errore; // empty when the data ended normally
};

inline LetturaFoglio leggiTutto(LettoreFoglio& lettore)
{
    LetturaFoglio lettura;
    for (;;) {
        RigaFoglio riga;
        auto esito = lettore.leggi(riga);
        if (!esito) {
            lettura.errore = esito.errore();
            break;
        }
        if (!*esito)
            break;
        lettura.righe.push_back(riga);
    }
    return lettura;
}

inline std::vector<int> numeri(const LetturaFoglio& lettura)
{
    std::vector<int> risultato;
    for (const auto& riga : lettura.righe)
        risultato.push_back(riga.numero);
    return risultato;
}
