#pragma once

#include "fogli/LettoreFoglio.h"

#include <vector>

// The rules these tests read workbooks by: those of the monthly import, 22
// columns, data from row 3 until the first two columns are blank.
constexpr int kColonneProva = 22;

inline RegoleFoglio regoleProva()
{
    return RegoleFoglio{kColonneProva, 3, 500000, {0, 1}};
}

inline ImpostazioniCsv csvProva(const QString& separatore, int primaRigaDati)
{
    return ImpostazioniCsv{separatore, primaRigaDati, kColonneProva};
}

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
