#pragma once

#include "fogli/LettoreFoglio.h"

// The .xls reader of earlier versions, through FreeXL, kept only while the
// tests compare it with the reader that replaces it.
Esito<std::unique_ptr<LettoreFoglio>>
apriFoglioXlsFreeXL(const QByteArray& contenuto, const QString& nome, const RegoleFoglio& regole);
