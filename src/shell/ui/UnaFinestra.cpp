#include "shell/ui/UnaFinestra.h"

#include "common/ui/Messaggi.h"
#include "shell/Versione.h"

std::unique_ptr<BloccoCartella> bloccaPerFinestre(const QString& cartella)
{
    auto blocco = std::make_unique<BloccoCartella>(cartella, BloccoCartella::Programma::Finestre);
    // No wait: the other window is in front of the clerk, not about to close.
    if (blocco->prendi(std::chrono::milliseconds::zero()))
        return blocco;
    Messaggi::mostra(nullptr, QStringLiteral("ZEFIRANTE è già aperto su questa cartella"),
                     Versione::titoloApplicazione, Messaggi::Icona::Avviso);
    return nullptr;
}
