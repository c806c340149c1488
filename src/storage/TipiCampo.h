#pragma once

#include "base/Esito.h"

#include <QList>
#include <QString>

class Connessione;

// The kinds of value a column holds, read from the column's declared type.
// Lists format and sort by it, the archive writes numbers by it.
enum class TipoCampo
{
    Testo,
    Numero,
    Data,
    DataOra
};

TipoCampo tipoDaDichiarato(const QString& tipoDichiarato);

struct Colonna
{
    QString nome;
    TipoCampo tipo = TipoCampo::Testo;
};

// The columns of a table in table order.
Esito<QList<Colonna>> colonneTabella(const Connessione& connessione, const QString& tabella);

// The columns of a query's result in result order: each one's name as the
// query gives it (its alias) and the kind declared for the table column it
// comes from. A computed column, which has no declared type, counts as text.
Esito<QList<Colonna>> colonneRisultato(const Connessione& connessione, const QString& sqlJet);
