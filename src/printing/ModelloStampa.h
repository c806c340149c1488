#pragma once

#include "printing/CodiceStampa.h"

#include <QPageLayout>
#include <QPageSize>
#include <QString>
#include <vector>

// The layout of one printed list, read from a template file (*.rep) that the
// clerk may edit with any text editor to change the columns without a new
// program. The format, documented at the top of every shipped template:
//
//   ; comment            # comment
//   [section]
//   key = value          value "with quotes" keeps its outer blanks
//
// Sections: [pagina] formato, orientamento, margine (mm), carattere,
// dimensione (pt); [dati] dataset, connessione, sql; [testata] titolo,
// sottotitolo; [piede] testo; [fine] vuoto, totali, conteggio; then one
// [colonna] per printed column, in print order: campo, titolo, larghezza
// (relative weight), allineamento, formato (testo, data, numero, importo),
// decimali, totale (si/no). Texts may hold {PARAMETRO}, replaced by the
// value of a named parameter. Unknown sections and keys are errors, so a
// typing mistake shows up instead of being silently ignored.
struct ColonnaModello
{
    enum class Formato
    {
        Testo,
        Data,
        Numero,
        Importo
    };

    QString campo;
    QString titolo;
    double larghezza = 10;
    Qt::Alignment allineamento = Qt::AlignLeft;
    Formato formato = Formato::Testo;
    int decimali = 2;
    bool totale = false;
};

struct ModelloStampa
{
    QPageSize::PageSizeId formato = QPageSize::A4;
    QPageLayout::Orientation orientamento = QPageLayout::Portrait;
    double margineMm = 10;
    QString carattere = QStringLiteral("Arial");
    double dimensione = 8;

    QString dataset = QStringLiteral("DS");
    QString connessione = QStringLiteral("CONNESSIONE");
    QString sql; // used when the program gives the dataset none

    QString titolo;
    QString sottotitolo;
    QString piede;
    QString vuoto;     // printed in place of the rows when there are none
    QString totali;    // caption of the totals line
    QString conteggio; // caption before the number of rows

    std::vector<ColonnaModello> colonne;

    QPageLayout impaginazione() const;
};

namespace LetturaModello {

// The template in `testo`; `nome` names it in error messages.
Esito<ModelloStampa> daTesto(const QString& testo, const QString& nome);
// Reads a template file: UTF-8, or Windows-1252 when it is not valid UTF-8
// (an older editor's save).
Esito<ModelloStampa> daFile(const QString& percorso);

} // namespace LetturaModello
