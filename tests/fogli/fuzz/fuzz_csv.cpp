// A CSV file of any bytes, read to its end. The first two bytes choose the
// clerk's settings (separator and first data line), the rest is the file, so
// the fuzzer explores settings and content together. The file is read twice:
// as texts, and through the road of ASCII bytes the import takes for most
// lines; both must give the same rows and the same error.
#include "FileFuzz.h"
#include "fogli/LettoreCsv.h"

namespace {

struct Lettura
{
    bool fine = false;
    QString errore;
    RigaFoglio riga;
};

Lettura comeTesti(LettoreFoglio& lettore)
{
    Lettura l;
    const Esito<bool> esito = lettore.leggi(l.riga);
    if (!esito)
        l.errore = esito.errore();
    else
        l.fine = !*esito;
    return l;
}

Lettura comeByte(LettoreCsv& lettore)
{
    Lettura l;
    RigaAscii ascii;
    const auto forma = lettore.leggiAscii(ascii, l.riga);
    if (!forma)
        l.errore = forma.errore();
    else if (*forma == LettoreCsv::Forma::fine)
        l.fine = true;
    else if (*forma == LettoreCsv::Forma::ascii)
        LettoreCsv::comeTesto(ascii, l.riga);
    return l;
}

bool uguali(const Lettura& a, const Lettura& b)
{
    if (a.fine != b.fine || a.errore != b.errore)
        return false;
    return a.fine || !a.errore.isEmpty() ||
           (a.riga.numero == b.riga.numero && a.riga.valori == b.riga.valori);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    if (lunghezza < 2)
        return 0;
    // A separator of more than one character is allowed, and so is one
    // that is also a line ending or a quote: the reader must cope.
    static const char* const kSeparatori[] = {";", ",", "\t", "|", ";;", "\"", " ", "ab"};
    const QString separatore = QString::fromLatin1(kSeparatori[dati[0] % 8]);
    const int primaRigaDati = 1 + dati[1] % 4;
    const QByteArray file = FileFuzz::byte(dati + 2, lunghezza - 2);
    const QString nome = QStringLiteral("foglio.csv");
    auto testi = apriFoglioCsv(file, nome, csvProva(separatore, primaRigaDati));
    auto byte = apriFoglioCsv(file, nome, csvProva(separatore, primaRigaDati));
    if (!testi || !byte) {
        if (testi.ok() != byte.ok())
            std::abort();
        return 0;
    }
    auto* csv = dynamic_cast<LettoreCsv*>(byte.valore().get());
    if (!csv)
        std::abort();
    for (;;) {
        const Lettura a = comeTesti(*testi.valore());
        const Lettura b = comeByte(*csv);
        if (!uguali(a, b))
            std::abort();
        if (a.fine || !a.errore.isEmpty())
            return 0;
    }
}
