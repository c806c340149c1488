#include "printing/PdfInDisparte.h"

#include <optional>

Esito<int> PdfInDisparte::esegui(Rapporto& rapporto, const QString& percorso)
{
    std::optional<Esito<int>> esito;
    inDisparte([&](const Interruzione& interruzione) {
        SeguitoStampa seguito;
        seguito.interruzione = &interruzione;
        seguito.avanzamento = [this](int fatte, int totale) { emit avanzato(fatte, totale); };
        esito.emplace(rapporto.salvaPdf(percorso, seguito));
    });
    return std::move(*esito);
}
