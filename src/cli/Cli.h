#pragma once

#include <QStringList>

class QTextStream;

// zefirante-cli as a function, so tests run it in-process with their own streams.
// `argomenti` excludes the program name.
int eseguiCli(const QStringList& argomenti, QTextStream& out, QTextStream& err,
              const QString& cartellaEseguibile);
