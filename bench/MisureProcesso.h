#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <ctime>

#ifdef Q_OS_WIN
#ifndef PSAPI_VERSION
#define PSAPI_VERSION 2 // GetProcessMemoryInfo from kernel32, no psapi.dll
#endif
#include <windows.h>
#include <psapi.h>
#endif

// Peak resident memory and CPU time of the process, as the benchmarks print them.
namespace MisureProcesso {

// The peak since the last reset ("17812 kB"), where the system tells it; "n/d" elsewhere.
// Windows cannot reset it: there it is the peak since the start.
inline QString piccoMemoria()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS contatori{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &contatori, sizeof contatori))
        return QStringLiteral("n/d");
    return QStringLiteral("%1 kB dall'avvio").arg(contatori.PeakWorkingSetSize / 1024);
#else
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly))
        return QStringLiteral("n/d");
    for (const QByteArray& riga : stato.readAll().split('\n'))
        if (riga.startsWith("VmHWM:"))
            return QString::fromLatin1(riga.mid(6).trimmed());
    return QStringLiteral("n/d");
#endif
}

// Linux: writing "5" to clear_refs resets the peak to the current size, so
// each measurement reports its own peak.
inline void azzeraPicco()
{
#ifndef Q_OS_WIN
    QFile azzera(QStringLiteral("/proc/self/clear_refs"));
    if (azzera.open(QIODevice::WriteOnly))
        azzera.write("5");
#endif
}

// CPU seconds of every thread of the process so far. std::clock() is that on Linux, but the
// wall time on Windows.
inline double secondiCpu()
{
#ifdef Q_OS_WIN
    FILETIME creazione, fine, kernel, utente;
    if (!GetProcessTimes(GetCurrentProcess(), &creazione, &fine, &kernel, &utente))
        return 0;
    const auto centinaiaNs = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) |
                                   t.dwLowDateTime);
    };
    return (centinaiaNs(kernel) + centinaiaNs(utente)) / 1e7;
#else
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
#endif
}

} // namespace MisureProcesso
