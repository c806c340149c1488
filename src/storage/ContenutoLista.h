#pragma once

#include "base/Esito.h"
#include "storage/TipiCampo.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class Connessione;

// What a list shows for one query. The list module knows no table: everything
// here follows from the names and declared types of the query's fields.
//
// Field-name conventions (the prefix tests look at the first four characters
// and are case-sensitive):
//  - "Data..."   the column sorts chronologically through a hidden column
//                holding the value as yyyymmdd;
//  - "Prog..."   the value is shown as it is, without number or date format;
//  - "DACO..."   a row whose value is 1 shows the "OK" icon;
//  - "ERR"       a row whose value is 1 shows the "ER" icon;
//  - "Prog", "DACO", "ERR", "NRec" exactly: the column is kept but not shown.

enum class Allineamento
{
    Sinistra,
    Destra,
    Centro
};

struct CampoLista
{
    QString nome; // as the query names it: the column's caption
    TipoCampo tipo = TipoCampo::Testo;
    bool data = false;       // sorted through a hidden yyyymmdd column
    bool invisibile = false; // kept with width 0
};

struct RigaLista
{
    QStringList celle;      // display text, one per field
    QList<QVariant> numeri; // the value of each number field (invalid elsewhere), to sort by
    QStringList chiaviData; // yyyymmdd ("" for no date), one per date field in field order
    QString icona;          // "OK", "ER" or ""
};

struct ContenutoLista
{
    QList<CampoLista> campi;
    bool conRecord = false;     // the query found records, whether or not the filter kept any
    QList<RigaLista> righe;     // the records the filter kept, in query order
    bool iconePresenti = false; // at least one row has an icon

    qsizetype contaCampiData() const;
};

// Runs the query and keeps the records in which some field contains `filtro`.
Esito<ContenutoLista> LeggiLista(const Connessione& connessione, const QString& sqlJet,
                                 const QString& filtro);

// The description of a field from its name and type.
CampoLista DescriviCampo(const QString& nome, TipoCampo tipo);

// Display text: "" for Null; numbers as "###,###,##0" the Italian way
// (1234567,8 -> "1.234.568"); dates dd/mm/yyyy; anything else as it is.
QString FormattaValore(const QVariant& valore, TipoCampo tipo);

// A stored date as yyyymmdd, which sorts chronologically as text; "" when the
// value holds no readable date.
QString DataOrdinabile(const QVariant& valore);

// True when `filtro` is empty or some value, read as the clerk sees it (dates
// dd/mm/yyyy, numbers with the decimal comma), contains it without regard to
// case. A Null value never matches.
bool RigaAmmessa(const QList<QVariant>& valori, const QList<CampoLista>& campi,
                 const QString& filtro);

Allineamento AllineamentoColonna(TipoCampo tipo);
