#include "shell/BloccoCartella.h"

#include <QDir>
#include <QLockFile>

using namespace std::chrono_literals;

BloccoCartella::BloccoCartella(const QString& cartella, Programma programma)
    : m_cartella(cartella),
      m_file(std::make_unique<QLockFile>(QDir(cartella).filePath(
          programma == Programma::Finestre ? QStringLiteral("ZEFIRANTE.lock")
                                           : QStringLiteral("ZEFIRANTE-cli.lock"))))
{
    m_file->setStaleLockTime(1min);
}

BloccoCartella::~BloccoCartella() = default;

bool BloccoCartella::prendi(std::chrono::milliseconds attesa)
{
    // A new folder: the lock comes before the program lays in its files.
    QDir().mkpath(m_cartella);
    return m_file->tryLock(attesa);
}
