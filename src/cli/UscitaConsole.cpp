#include "cli/UscitaConsole.h"

#include <QFile>
#include <QString>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace {

#ifdef Q_OS_WIN
// Receives UTF-8 from QTextStream, which encodes whole strings on each flush, so a write never
// ends inside a character.
class ConsoleWindows final : public QIODevice
{
public:
    explicit ConsoleWindows(HANDLE console) : m_console(console)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

protected:
    qint64 readData(char*, qint64) override { return -1; }

    qint64 writeData(const char* dati, qint64 quanti) override
    {
        const QString testo = QString::fromUtf8(dati, static_cast<qsizetype>(quanti));
        auto* resto = reinterpret_cast<const wchar_t*>(testo.utf16());
        auto mancano = static_cast<DWORD>(testo.size());
        while (mancano > 0) {
            DWORD scritti = 0;
            if (!WriteConsoleW(m_console, resto, mancano, &scritti, nullptr) || scritti == 0)
                return -1;
            resto += scritti;
            mancano -= scritti;
        }
        return quanti;
    }

private:
    HANDLE m_console;
};

HANDLE consoleDi(FILE* flusso)
{
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(flusso)));
    DWORD modo = 0;
    if (handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &modo))
        return nullptr;
    return handle;
}
#endif

} // namespace

std::unique_ptr<QIODevice> apriUscita(FILE* flusso)
{
#ifdef Q_OS_WIN
    if (HANDLE console = consoleDi(flusso))
        return std::make_unique<ConsoleWindows>(console);
#endif
    auto file = std::make_unique<QFile>();
    // Unbuffered: QTextStream buffers already, and the two streams must not overtake
    // each other on a terminal.
    file->open(flusso, QIODevice::WriteOnly | QIODevice::Unbuffered);
    return file;
}
