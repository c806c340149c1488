#pragma once

#include "base/Esito.h"
#include "storage/Connessione.h"

#include <QString>
#include <memory>

// The program's database file.
namespace Database {

// Opens the file, creating it with the schema and the reference data when it
// does not exist yet. A file that is not a usable database gives an error
// with its description.
Esito<std::unique_ptr<Connessione>> apri(const QString& file);
// Opens an existing file only (another installation's database).
Esito<std::unique_ptr<Connessione>> apriEsistente(const QString& file);

} // namespace Database
