#pragma once

#include <QIODevice>
#include <cstdio>
#include <memory>

// Where zefirante-cli writes its messages. On a Windows console the text goes to the console
// as UTF-16 (WriteConsoleW): cmd.exe on an Italian PC starts in code page 850, where the UTF-8
// bytes of "Città" would read "CittÃ ". Redirected to a file or a pipe, and on every other
// system, the bytes are UTF-8 as on Linux (with CR LF line ends on Windows, as the C runtime
// writes text there).
std::unique_ptr<QIODevice> apriUscita(FILE* flusso);
