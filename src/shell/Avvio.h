#pragma once

#include "base/Esito.h"
#include "shell/Ambiente.h"

#include <memory>

// Start-up, in the order the shared files expect: the application folder laid
// in, configurazione.ini read, the database opened (created when new), the
// connection descriptor written, agencies copied from a sibling program into
// an empty registry, the currencies loaded once. An error means the database
// could not be opened or prepared: the program must stop with its description.
Esito<std::unique_ptr<Ambiente>> Avvio(const QString& cartellaRichiesta,
                                       const QString& cartellaEseguibile);
