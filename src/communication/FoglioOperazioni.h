#pragma once

#include "fogli/LettoreFoglio.h"

#include <span>

// The sheet of a month's operations: 22 columns, column k giving field
// B(k+2) of record B, in a workbook or a CSV file.
constexpr int kColonneFoglio = 22;

namespace FoglioOperazioni {

// In a workbook rows 1 and 2 are headings and data start at row 3; they end
// at the first row whose surname and first name (columns 1 and 2) are both
// blank, or after row 500000.
constexpr int kPrimaRigaDati = 3;
constexpr int kUltimaRiga = 500000;

inline RegoleFoglio regoleExcel()
{
    return RegoleFoglio{kColonneFoglio, kPrimaRigaDati, kUltimaRiga, {0, 1}};
}

// A CSV file: the clerk's separator and first data line.
inline ImpostazioniCsv impostazioniCsv(const QString& separatore, int primaRigaDati)
{
    return ImpostazioniCsv{separatore, primaRigaDati, kColonneFoglio};
}

// The 22 values of a row. The readers give as many as they are asked for; a
// row from elsewhere is made to have them.
inline std::span<QString, kColonneFoglio> valori(RigaFoglio& riga)
{
    riga.valori.resize(kColonneFoglio);
    return std::span<QString, kColonneFoglio>(riga.valori.data(), kColonneFoglio);
}

} // namespace FoglioOperazioni
