#pragma once

#include "common/Esito.h"

#include <QList>
#include <QString>

class Connessione;

// The kinds of value a column holds, read from the column's declared type.
// Lists format and sort by it, the archive writes numbers by it.
enum class TipoCampo { Testo, Numero, Data, DataOra };

TipoCampo tipoDaDichiarato(const QString& tipoDichiarato);

struct Colonna
{
    QString nome;
    TipoCampo tipo = TipoCampo::Testo;
};

// The columns of a table in table order.
Esito<QList<Colonna>> colonneTabella(const Connessione& connessione, const QString& tabella);
