#pragma once

#include "base/Interruzione.h"

#include <QObject>
#include <functional>

// A long run on a thread of its own, so that the window that started it keeps
// repainting and answering (its progress bar, its "Interrompi"). A run that
// reads a database opens its own connection on that thread: a connection
// belongs to the thread that opened it. Each kind of run derives from this
// and adds its own outcome and progress signal.
class LavoroInDisparte : public QObject
{
    Q_OBJECT

public:
    // From the caller's thread: the run stops at its next check and ends with
    // its own "interrupted" error.
    void interrompi() { m_interrompi = true; }

protected:
    // Runs `lavoro` on a new thread with the stop flag, cleared, and returns
    // once the thread has finished; meanwhile the caller's events keep
    // flowing (a local event loop).
    void inDisparte(const std::function<void(const Interruzione&)>& lavoro);

private:
    Interruzione m_interrompi = false;
};
