#pragma once

#include <QString>
#include <QStringList>

// What a reader of a PDF sees, through poppler's pdftotext in layout mode:
// one string per page, lines kept as printed.
QStringList paginePdf(const QString& pdf);
// The page count that poppler's pdfinfo reads from the file's own structure.
int pagineDichiarate(const QString& pdf);
