#pragma once

#include "base/Esito.h"

#include <QList>
#include <QString>

// ERRORE_IMPORT.TXT read back, for the window that lists its lines: the
// sheet it is about and one entry per faulty field.
struct VoceRapporto
{
    int riga = 0;     // the sheet's row
    QString campo;    // "B11 (SIGLA PAESE DI RESIDENZA) CODICE ERRATO"
    QString valore;   // the value as the check saw it (may be empty)
    QString soggetto; // surname and first name of the row
};

struct ContenutoRapporto
{
    QString foglio; // as the heading's "Archivio:" line names it
    QList<VoceRapporto> voci;
};

// Lines that are not error lines (heading, dashes, blanks) are passed over.
// A missing or unreadable file is an error that names it.
Esito<ContenutoRapporto> LeggiRapportoErrori(const QString& percorso);
