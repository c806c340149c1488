#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Peak resident memory of the process, as the benchmarks print it.
namespace PiccoMemoria {

// The peak since the last reset ("17812 kB"), where the system tells it; "n/d" elsewhere.
inline QString leggi()
{
    QFile stato(QStringLiteral("/proc/self/status"));
    if (!stato.open(QIODevice::ReadOnly))
        return QStringLiteral("n/d");
    for (const QByteArray& riga : stato.readAll().split('\n'))
        if (riga.startsWith("VmHWM:"))
            return QString::fromLatin1(riga.mid(6).trimmed());
    return QStringLiteral("n/d");
}

// Linux: writing "5" to clear_refs resets the peak to the current size, so
// each measurement reports its own peak.
inline void azzera()
{
    QFile azzera(QStringLiteral("/proc/self/clear_refs"));
    if (azzera.open(QIODevice::WriteOnly))
        azzera.write("5");
}

} // namespace PiccoMemoria
