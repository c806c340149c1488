#pragma once

#include "base/Esito.h"

#include <QByteArrayView>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class ArchivioZip;

// One block of a part as inflated, or the error that ended the inflating.
struct BloccoParte
{
    std::vector<char> byte;
    qint64 lunghezza = 0;
    std::optional<Errore> errore;
};

// The blocks of the part just opened in a zip package, in order. A large
// part is inflated on a thread of its own while the caller parses the
// blocks before, so an .xlsx costs its inflating or its parsing, whichever
// is slower, not both; a few blocks wait at most, so memory stays flat. A
// small one is inflated as it is asked for: a thread would cost more than
// it saves.
class BlocchiParte
{
public:
    BlocchiParte(ArchivioZip& zip, qint64 dimensione);
    ~BlocchiParte(); // stops the thread, whatever it was doing
    BlocchiParte(const BlocchiParte&) = delete;
    BlocchiParte& operator=(const BlocchiParte&) = delete;

    // The next block, valid until the next call; empty at the part's end.
    Esito<QByteArrayView> prossimo();

    // From this size a part is inflated on its own thread.
    static constexpr qint64 kSogliaParallelo = 1 << 20;

private:
    void inflaziona(); // the thread's loop
    BloccoParte leggiBlocco(std::vector<char> spazio);

    ArchivioZip& m_zip;
    std::optional<BloccoParte> m_corrente; // the block handed out last
    bool m_finito = false;

    // Shared with the thread, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_cambiato;
    std::deque<BloccoParte> m_pronti;        // inflated, in order
    std::vector<std::vector<char>> m_liberi; // space for the next ones
    bool m_ferma = false;
    std::thread m_thread; // last: started once the rest is ready
};
