// A CSV file of any bytes, read to its end. The first two bytes choose the
// clerk's settings (separator and first data line), the rest is the file, so
// the fuzzer explores settings and content together.
#include "FileFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    if (lunghezza < 2)
        return 0;
    // A separator of more than one character is allowed, and so is one
    // that is also a line ending or a quote: the reader must cope.
    static const char* const kSeparatori[] = {";", ",", "\t", "|", ";;", "\"", " ", "ab"};
    const QString separatore = QString::fromLatin1(kSeparatori[dati[0] % 8]);
    const int primaRigaDati = 1 + dati[1] % 4;
    const QString percorso = FileFuzz::scrivi("foglio.csv", dati + 2, lunghezza - 2);
    auto lettore = apriFoglioCsv(percorso, separatore, primaRigaDati);
    if (lettore)
        (void)FileFuzz::leggiTutto(*lettore.valore());
    return 0;
}
