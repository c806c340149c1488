// Any bytes as an .xlsx workbook: the zip package and the XML parts in it.
#include "FileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    return FileFuzz::provaCartella("foglio.xlsx", dati, lunghezza);
}
