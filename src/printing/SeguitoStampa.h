#pragma once

#include "base/Interruzione.h"
#include "printing/CodiceStampa.h"

#include <functional>

// How a list being made on a thread of its own is followed and stopped.
// `avanzamento` hears, before each page and once at the end, how many pages
// are drawn of how many; the rows come first and tell nothing, since their
// number is known only once they are all read. `interruzione`, once set,
// stops the run before its next row or page.
struct SeguitoStampa
{
    std::function<void(int fatte, int totale)> avanzamento;
    const Interruzione* interruzione = nullptr;

    bool interrotta() const { return ::interrotta(interruzione); }
    void avanza(int fatte, int totale) const
    {
        if (avanzamento)
            avanzamento(fatte, totale);
    }
    static Errore erroreInterrotta()
    {
        return Errore{kMessaggioInterrotta, CodiceStampa::Interrotta};
    }
};
