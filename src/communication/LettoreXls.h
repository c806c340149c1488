#pragma once

#include "communication/LettoreFoglio.h"

// An Excel 97-2003 workbook (.xls), through FreeXL: the first worksheet, with
// the same rows and the same cell texts as an .xlsx. Formula results,
// booleans and error values, which FreeXL does not give, come from the
// workbook's records (CelleBiff). The workbook stream is checked first and
// FreeXL reads a rebuilt copy of it, never the clerk's file itself (see
// StrutturaBiff and DocumentoComposto). FreeXL loads the whole workbook at
// once, which the format's limit of 65536 rows keeps small.
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioXls(const QString& percorso);
