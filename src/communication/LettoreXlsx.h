#pragma once

#include "communication/LettoreFoglio.h"

// An Excel 2007+ workbook (.xlsx): the first worksheet in tab order, read as
// a stream of rows straight out of the zip package, so a sheet of 500000
// rows takes the memory of a few rows (plus the workbook's shared texts,
// which rows refer to by number).
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioXlsx(const QString& percorso);
