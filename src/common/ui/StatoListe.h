#pragma once

#include <QString>
#include <QStringList>

// What a window hands to the list module and gets back from it. One is kept by
// each window that shows lists (and passed to the lookup window it opens).
struct StatoListe
{
    // The query that the next fill runs; set by the caller just before it.
    QString SqlLista;
    // The search text of the next fill ("" = every record). Cleared by every
    // fill whose query found records, so a search applies once.
    QString FiltroLista;
    // Captions of the columns that CopiaSelezione reads from the selected row.
    QStringList ColonneRichieste;
    // The values CopiaSelezione read, one per requested caption ("" for a
    // caption that names no column). A fill leaves one empty value.
    QStringList ValoriSelezionati{QString()};
};
