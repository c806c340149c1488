// Feeds arbitrary bytes to the archive reader and to the conversion of every
// value by every column kind, and checks what must always hold: a line put
// back together splits into the same values, and a number written the
// archive's way reads back as itself.
#include "backup/FormatoArchivio.h"
#include "backup/ValoriArchivio.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t lunghezza)
{
    const QByteArrayView contenuto(reinterpret_cast<const char*>(dati),
                                   static_cast<qsizetype>(lunghezza));
    (void)Archivio::primaRiga(contenuto);
    const auto righe = Archivio::leggiRighe(contenuto);
    if (!righe)
        return 0;
    for (const Archivio::Riga& riga : *righe) {
        bool scrivibile = Archivio::valoreScrivibile(riga.tabella);
        for (const QString& valore : riga.valori) {
            scrivibile = scrivibile && Archivio::valoreScrivibile(valore);
            for (const TipoCampo tipo :
                 {TipoCampo::Testo, TipoCampo::Numero, TipoCampo::Data, TipoCampo::DataOra}) {
                const auto letto = ValoriArchivio::valore(valore, tipo);
                if (!letto)
                    continue;
                const QString riscritto = ValoriArchivio::testo(*letto, tipo);
                if (tipo != TipoCampo::Numero)
                    continue;
                const double numero = letto->toDouble();
                if (!std::isfinite(numero))
                    std::abort();
                if (std::fabs(numero) < 1e15) {
                    const auto riletto = ValoriArchivio::valore(riscritto, TipoCampo::Numero);
                    if (!riletto ||
                        std::fabs(riletto->toDouble() - std::round(numero * 100) / 100) > 1e-6)
                        std::abort();
                }
            }
        }
        if (scrivibile) {
            const Archivio::Riga divisa =
                Archivio::dividi(Archivio::componi(riga.tabella, riga.valori), 1);
            if (divisa.tabella != riga.tabella || divisa.valori != riga.valori)
                std::abort();
        }
    }
    return 0;
}
