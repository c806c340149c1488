#pragma once

#include "base/Esito.h"

#include <QByteArray>

// FreeXL trusts the lengths, counts and offsets it finds in a workbook
// stream, and some damage makes it read past its buffers or lose memory.
// A stream is handed to it only when this check finds it whole: every
// record inside the stream, the strings inside their records, the
// substreams opened and closed in turn, each sheet with one size, the shared
// strings laid out as FreeXL reads them. Excel 97-2003 (BIFF8) and Excel
// 5/95 (BIFF5) streams; anything else is refused. The error describes why,
// in Italian.
EsitoVuoto verificaStrutturaBiff(const QByteArray& flusso);
