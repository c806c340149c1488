// Any bytes as the XML of a worksheet, read by the sheet's own scanner and
// by expat: whatever expat reads (a document without a document type,
// whose entities the scanner does not know) the scanner must read the same
// way, cut into blocks where the first byte says; what the scanner reads,
// expat must read too, but for names with non-ASCII letters, which the
// scanner does not look into.
#include "RegistroXml.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Both readings on the standard error, for the one who looks at a finding.
[[noreturn]] void diverse(const RegistroXml::Lettura& attesa, const RegistroXml::Lettura& letta)
{
    std::fprintf(stderr, "expat %s, scanner %s\n", attesa.ok ? "ok" : "error",
                 letta.ok ? "ok" : "error");
    std::fprintf(stderr, "expat:   %s\nscanner: %s\n",
                 qPrintable(attesa.eventi.join(QLatin1Char('|'))),
                 qPrintable(letta.eventi.join(QLatin1Char('|'))));
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    if (lunghezza < 1)
        return 0;
    const QByteArray documento(reinterpret_cast<const char*>(dati + 1),
                               static_cast<qsizetype>(lunghezza - 1));
    const qsizetype blocco = 1 + dati[0] % 64;
    using RegistroXml::leggi;
    const auto attesa = leggi(ParserXml::Motore::expat, documento, documento.size() + 1);
    const auto letta = leggi(ParserXml::Motore::scansione, documento, blocco);
    if (attesa.ok && !documento.contains("<!DOCTYPE") &&
        (!letta.ok || letta.eventi != attesa.eventi))
        diverse(attesa, letta);
    if (letta.ok && !attesa.ok && std::none_of(documento.begin(), documento.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        }))
        std::abort();
    return 0;
}
