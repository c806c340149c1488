// Any bytes as an .xls workbook (a compound document of BIFF records).
// Opened as the import opens a workbook, so the same checks run first.
#include "FileFuzz.h"
#include "communication/RegoleFoglioExcel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    const QString percorso = FileFuzz::scrivi("foglio.xls", dati, lunghezza);
    auto lettore = apriFoglioExcel(percorso);
    if (!lettore)
        return 0;
    // Data run from row 3 to the last row the import reads: damaged or not,
    // a sheet never gives more rows than that.
    if (FileFuzz::leggiTutto(*lettore.valore()) > RegoleFoglioExcel::kUltimaRiga - 2)
        std::abort();
    return 0;
}
