#pragma once

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

// What a reader of a PDF sees, through poppler's pdftotext in layout mode:
// one string per page, lines kept as printed.
QStringList paginePdf(const QString& pdf);
// The page count that poppler's pdfinfo reads from the file's own structure.
int pagineDichiarate(const QString& pdf);

// poppler's readers are Linux programs: the Windows build's tests, run under Wine, cannot start
// them, and there the printed lists are read by scripts/windows/verifica.sh instead.
bool lettorePdfPresente();
#define RICHIEDE_LETTORE_PDF()                                                                     \
    if (!lettorePdfPresente())                                                                     \
    GTEST_SKIP() << "pdftotext non disponibile su questo sistema"
