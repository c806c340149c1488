#pragma once

#include "base/Esito.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>
#include <utility>

class Connessione;

struct Comune
{
    QString comune;
    QString pro; // province, two letters
    QString cab;
};

// The municipality table (about 8,000 names), read once at its first use and
// then kept for the whole run in the table's order: completing a name on every
// key press must answer at once, without a trip to the database. Names are
// compared as the database compares them: without regard to case, and a
// prefix literally ("%" and "_" are characters, not wildcards).
class ElencoComuni
{
public:
    explicit ElencoComuni(const Connessione& connessione);

    bool ComuniAperti() const { return m_aperti; }
    // Reads the table; a failure leaves the list closed, to be tried again.
    EsitoVuoto ApriComuni();

    // The first municipality in table order whose name begins with `prefisso`.
    const Comune* cercaInizio(QStringView prefisso) const;
    // The first municipality in table order whose name is `nome`.
    const Comune* cercaEsatto(QStringView nome) const;

    const QList<Comune>& comuni() const { return m_comuni; }

private:
    const Connessione& m_connessione;
    bool m_aperti = false;
    QList<Comune> m_comuni;                        // table order
    QList<std::pair<QString, qsizetype>> m_indice; // case-folded name and position, sorted
};

// A name proposed while the user types: the field shows `comune` with the
// caret after `cursore` characters and the rest selected, and the province
// field shows `provincia`.
struct Completamento
{
    QString comune;
    QString provincia;
    int cursore = 0;
};

// The completion of a municipality field holding `testo` with the caret after
// `cursore` characters: the first name, in table order, that begins with the
// text before the caret (leading blanks ignored). Nothing when that text is
// empty or no name begins with it. Reads the table at its first use.
Esito<std::optional<Completamento>> CompletaTesto(ElencoComuni& elenco, const QString& testo,
                                                  int cursore);
