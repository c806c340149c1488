// Any bytes as an .xls workbook (a compound document of BIFF records).
#include "FileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    return FileFuzz::provaCartella("foglio.xls", dati, lunghezza);
}
