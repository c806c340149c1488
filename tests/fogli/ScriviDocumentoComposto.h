#pragma once

#include "fogli/DocumentoComposto.h"

// A plain compound document holding only the given stream, as the tests
// hand workbooks to the reader: 4096-byte sectors, the stream in one run,
// its allocation table after it and a directory of two entries.
Esito<QByteArray> documentoComposto(const FlussoCartella& flusso);
