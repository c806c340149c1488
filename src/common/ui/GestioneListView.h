#pragma once

#include "base/Esito.h"

#include <QString>

class Connessione;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
struct StatoListe;

// The list module: fills a report-style list from any query, sorts it when a
// column header is clicked, and reads or sets the selected row by column name.
// The agency list and the lookup list both go through it.
//
// Columns of a filled list: column 0 (caption " ") shows only a row's status
// icon; then one column per field of the query, captioned with the field's
// name; then one hidden column per field whose name begins with "Data",
// captioned "XX" + the name, holding the date as yyyymmdd so that a click on
// the date's header sorts chronologically. Widths follow the list's own
// texts (the first ten rows); a width of 0 hides a column.

// Fills the list with the records of `stato.SqlLista` that pass
// `stato.FiltroLista`. A failing query leaves the list as it was and returns
// the database's description of the error. Resets `stato.ValoriSelezionati`
// to one empty value; clears `stato.FiltroLista` when the query found records.
// A list sorted before keeps its order; the first row is made current.
EsitoVuoto RiempiLista(QTreeWidget* lista, StatoListe& stato, const Connessione& connessione);

// Connects the header's clicks to OrdinaColonna. Call once per list.
void CollegaOrdinamento(QTreeWidget* lista);

// Sorts by the clicked column (0-based, as Qt counts): the first click
// descending with the "ZA" icon, the next ascending with "AZ", and so on; the
// icon of the previously sorted column goes away.
void OrdinaColonna(int colonna, QTreeWidget* lista);

// The key of the sort icon a header shows: "AZ", "ZA" or "".
QString IconaIntestazione(const QTreeWidget* lista, int colonna);

// The key of a row's status icon: "OK", "ER" or "".
QString IconaRiga(const QTreeWidgetItem* riga);

// Reads into `stato.ValoriSelezionati` the selected row's cell of every
// caption in `stato.ColonneRichieste`; "" where no column has that caption or
// no row is selected.
void CopiaSelezione(const QTreeWidget* lista, StatoListe& stato);

// Selects every row whose cell in the column captioned `nomeColonna` holds
// exactly `valore`, and scrolls it into view. In a single-selection list the
// last such row stays selected.
void SelezionaRiga(QTreeWidget* lista, const QString& valore, const QString& nomeColonna);

// Widths of the list are reckoned in twips (1/1440 inch) as on the original
// forms; this converts to the widget's pixels.
int PixelDaTwip(const QWidget* widget, int twip);
