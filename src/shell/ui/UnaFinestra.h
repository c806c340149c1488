#pragma once

#include "shell/BloccoCartella.h"

#include <memory>

// Takes the windows program's lock on the application folder before any
// window opens. Held by another ZEFIRANTE: says so in a box and returns
// nullptr, and the program must stop.
std::unique_ptr<BloccoCartella> bloccaPerFinestre(const QString& cartella);
