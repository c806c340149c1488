#pragma once

#include "base/Esito.h"

class Connessione;
class QString;

// Loads the currency list (CTAB kind "DIV") from DIVISE.CSV once: a marker row
// (kind "REL", code "CDI", the load date) stops every later load. Each line is
// "code;numeric code;name"; blank lines and lines with fewer than three fields
// are skipped. The whole load is one transaction. Returns how many currencies
// were loaded (0 when the marker is there or the file is missing).
Esito<int> ImportaDivise(const Connessione& connessione, const QString& fileDivise);
