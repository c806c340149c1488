#pragma once

#include <QStringList>
#include <chrono>

class QTextStream;

// zefirante-cli as a function, so tests run it in-process with their own streams.
// `argomenti` excludes the program name.
//
// A run waits up to `attesa` for the run before it on the same folder to end: runs take
// turns, so a script started while another works still gets done. Thirty seconds covers a
// queue of several saves or a month's communication; past that something is stuck, and the
// run gives up with exit code 2 rather than hang a script.
int eseguiCli(const QStringList& argomenti, QTextStream& out, QTextStream& err,
              const QString& cartellaEseguibile,
              std::chrono::milliseconds attesa = std::chrono::seconds(30));
