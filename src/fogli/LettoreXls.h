#pragma once

#include "fogli/LettoreFoglio.h"

// An Excel 97-2003 workbook (.xls), or an Excel 5/95 one: the compound
// document's workbook stream, read whole, then its first worksheet.
Esito<std::unique_ptr<LettoreFoglio>>
apriFoglioXls(const QByteArray& contenuto, const QString& nome, const RegoleFoglio& regole);
