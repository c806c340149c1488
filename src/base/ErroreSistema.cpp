#include "base/ErroreSistema.h"

#include <QIODevice>
#include <array>
#include <utility>

namespace {

// The system's texts as Qt reports them: POSIX strerror (Qt's own spelling of
// the four commonest) and the English texts of Windows' FormatMessage.
constexpr std::array<std::pair<QLatin1String, const char*>, 15> kTraduzioni{{
    {QLatin1String("No such file or directory"), "file o cartella inesistente"},
    {QLatin1String("The system cannot find the file specified."), "file o cartella inesistente"},
    {QLatin1String("The system cannot find the path specified."), "file o cartella inesistente"},
    {QLatin1String("Permission denied"), "permesso negato"},
    {QLatin1String("Access is denied."), "permesso negato"},
    {QLatin1String("No space left on device"), "spazio su disco esaurito"},
    {QLatin1String("There is not enough space on the disk."), "spazio su disco esaurito"},
    {QLatin1String("Disk quota exceeded"), "spazio su disco esaurito (quota superata)"},
    {QLatin1String("Read-only file system"), "disco in sola lettura"},
    {QLatin1String("Is a directory"), "è una cartella, non un file"},
    {QLatin1String("Not a directory"), "una parte del percorso non è una cartella"},
    {QLatin1String("Too many open files"), "troppi file aperti"},
    {QLatin1String("File name too long"), "nome del file troppo lungo"},
    {QLatin1String("Input/output error"), "errore di lettura o scrittura sul disco"},
    {QLatin1String("The process cannot access the file because it is being used by another "
                   "process."),
     "il file è in uso da un altro programma"},
}};

} // namespace

QString ErroreSistema::descrivi(const QString& testoSistema)
{
    const QString testo = testoSistema.trimmed();
    if (testo.isEmpty())
        return QStringLiteral("errore sconosciuto del sistema");
    for (const auto& [sistema, italiano] : kTraduzioni) {
        if (testo.compare(sistema, Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(italiano);
    }
    return QStringLiteral("errore del sistema (%1)").arg(testo);
}

QString ErroreSistema::descrivi(const QIODevice& dispositivo)
{
    return descrivi(dispositivo.errorString());
}
