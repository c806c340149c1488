#pragma once

#include "base/Esito.h"

#include <QList>
#include <QString>

// ERRORE_IMPORT.TXT or AVVISI_IMPORT.TXT read back, for the window that
// lists their lines: the sheet they are about and one entry per line.
struct VoceRapporto
{
    int riga = 0;     // the sheet's row
    QString campo;    // "B11 (SIGLA PAESE DI RESIDENZA) CODICE ERRATO"
    QString valore;   // the value as the check saw it (may be empty)
    QString soggetto; // surname and first name of the row
    // What an advice says ("documento scaduto prima dell'operazione"); empty for an error.
    QString motivo;
};

struct ContenutoRapporto
{
    QString foglio; // as the heading's "Archivio:" line names it
    QList<VoceRapporto> voci;
};

// Lines that are neither error nor advice lines (heading, dashes, blanks) are
// passed over. A missing or unreadable file is an error that names it.
Esito<ContenutoRapporto> LeggiRapportoErrori(const QString& percorso);
// The same for the advice; only its messages differ.
Esito<ContenutoRapporto> LeggiAvvisi(const QString& percorso);
