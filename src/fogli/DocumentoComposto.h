#pragma once

#include "base/Esito.h"

#include <QByteArray>
#include <QString>

// An .xls file is a compound document: a small file system of sectors in
// which the workbook is one stream ("Workbook", or "Book" for Excel 5/95).
struct FlussoCartella
{
    QString nome;
    QByteArray byte;
};

// The workbook stream of a compound document, or an Italian description of
// why there is none.
Esito<FlussoCartella> flussoCartella(const QByteArray& documento);
