#pragma once

#include <QString>
#include <atomic>

// A long run that the user can stop from the window that started it
// ("Interrompi"): the window sets the flag from its own thread, the run reads
// it between its steps (rows, pages). A stopped run writes nothing and leaves
// the older files as they were, which is what its message tells the user.
using Interruzione = std::atomic<bool>;

inline bool interrotta(const Interruzione* interruzione)
{
    return interruzione && interruzione->load(std::memory_order_relaxed);
}

inline const QString kMessaggioInterrotta =
    QStringLiteral("Creazione interrotta: nessun file scritto.");
