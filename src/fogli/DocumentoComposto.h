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

// A plain compound document holding only the given stream: 4096-byte
// sectors, the stream in one run, its allocation table after it and a
// directory of two entries. FreeXL is handed this rebuilt file and never the
// clerk's own, so it reads exactly the stream that has been checked, however
// the original's sectors, mini stream and directory were laid out.
Esito<QByteArray> documentoComposto(const FlussoCartella& flusso);
