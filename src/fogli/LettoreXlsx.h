#pragma once

#include "fogli/LettoreFoglio.h"

class QIODevice;

// An Excel 2007+ workbook (.xlsx): the first worksheet in tab order, read as
// a stream of rows straight out of the zip package, so a sheet of 500000
// rows takes the memory of a few rows (plus the workbook's shared texts,
// which rows refer to by number). `dispositivo` is open for reading and
// can seek; `nome` names it in messages.
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioXlsx(std::unique_ptr<QIODevice> dispositivo,
                                                     const QString& nome,
                                                     const RegoleFoglio& regole);
