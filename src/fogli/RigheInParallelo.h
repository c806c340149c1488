#pragma once

#include "fogli/LettoreFoglio.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// A sheet's rows read on a thread of their own, in batches, while the
// caller checks and writes the rows before: reading a large .xlsx (inflate
// and XML) and the import's work on each row then share the two cores. A
// few batches wait at most, so memory stays flat.
class RigheInParallelo
{
public:
    using Lettura = std::function<Esito<bool>(RigaFoglio&)>;

    explicit RigheInParallelo(Lettura lettura);
    ~RigheInParallelo(); // stops the thread, whatever it was doing
    RigheInParallelo(const RigheInParallelo&) = delete;
    RigheInParallelo& operator=(const RigheInParallelo&) = delete;

    // As LettoreFoglio::leggi: the next row, false at the end, or the error.
    Esito<bool> leggi(RigaFoglio& riga);

private:
    struct Lotto
    {
        std::vector<RigaFoglio> righe;
        bool ultimo = false; // the reading ended after these rows
        std::optional<Errore> errore;
    };

    void leggiTutto(); // the thread's loop

    Lettura m_lettura;
    Lotto m_corrente;
    std::size_t m_prossima = 0; // in m_corrente
    bool m_finito = false;

    std::mutex m_mutex;
    std::condition_variable m_cambiato;
    std::deque<Lotto> m_pronti;
    bool m_ferma = false;
    std::thread m_thread; // last: started once the rest is ready
};
