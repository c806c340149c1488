#pragma once

#include "communication/LettoreFoglio.h"
#include "communication/TestoCella.h"

// The rows of a workbook that hold operations: rows 1 and 2 are headings,
// data start at row 3 and end at the first row whose surname and first name
// (columns 1 and 2) are both blank, or after row 500000.
namespace RegoleFoglioExcel {

constexpr int kPrimaRigaDati = 3;
constexpr int kUltimaRiga = 500000;

inline bool fineDati(const RigaFoglio& riga)
{
    return TestoCella::vuoto(riga.valori[0]) && TestoCella::vuoto(riga.valori[1]);
}

// An error value in a cell stops the run: its text would be written into the
// communication as if it were data.
inline Errore erroreCella(int riga, int colonna, QStringView codiceInglese)
{
    return Errore{QStringLiteral("Riga %1, colonna %2: valore di errore %3 nel foglio.")
                      .arg(riga)
                      .arg(colonna)
                      .arg(TestoCella::erroreItaliano(codiceInglese))};
}

} // namespace RegoleFoglioExcel
