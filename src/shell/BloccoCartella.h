#pragma once

#include <QString>
#include <chrono>
#include <memory>

class QLockFile;

// A lock file in the application folder, held for a whole run.
//
// The windows program is one at a time on a folder (ZEFIRANTE.lock): two would
// write the same ERRORE_IMPORT.TXT, communication files and backups. Runs of
// zefirante-cli take turns among themselves (ZEFIRANTE-cli.lock) but never wait
// for an open window, which may stay open all day; against a window the database
// keeps itself safe (each change waits for the other's), and the shared files
// are written whole, the last one written being kept.
//
// A lock left by a program that crashed on this machine is taken over at once
// (its process is gone); one from another machine sharing the folder, or one
// carried along in a copy of the folder, once it is older than a minute: a
// live holder keeps the file locked by the system, so age alone never takes a
// lock away from a program still running.
class BloccoCartella
{
public:
    enum class Programma
    {
        Finestre,
        RigaDiComando
    };

    BloccoCartella(const QString& cartella, Programma programma);
    ~BloccoCartella();
    BloccoCartella(const BloccoCartella&) = delete;
    BloccoCartella& operator=(const BloccoCartella&) = delete;

    // True once held, waiting up to `attesa` for the holder to finish.
    bool prendi(std::chrono::milliseconds attesa);

private:
    QString m_cartella;
    std::unique_ptr<QLockFile> m_file;
};
