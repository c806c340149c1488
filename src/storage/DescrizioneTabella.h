#pragma once

#include "base/Esito.h"

#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <utility>
#include <vector>

class Connessione;

// The code tables in CTAB: several small lists told apart by TIPO ("PAESI"
// countries, "DIV" currencies, ...), each row a code COD and its description DES.

// The description of one code of one kind, trimmed; the empty text when the
// kind holds no such code or its description is empty. Codes compare without
// regard to case, as the database compares them. A database failure comes
// back as the error.
Esito<QString> DescrizioneTabella(const Connessione& connessione, const QString& tipo,
                                  const QString& codice);

// One kind of code table read once, for loops that look up codes row after
// row (the monthly import checks two codes per operation). Answers exactly as
// DescrizioneTabella would, without a query per code.
class TabellaCodici
{
public:
    static Esito<TabellaCodici> carica(const Connessione& connessione, const QString& tipo);

    // The trimmed description, or the empty text when the code is not there.
    QString descrizione(QStringView codice) const;
    bool contiene(QStringView codice) const;
    // The same for a code read as Latin-1 bytes (an ASCII line of a CSV file).
    bool contiene(QLatin1StringView codice) const;

private:
    template <typename Testo> const std::pair<QString, QString>* voce(Testo codice) const;
    void indicizza();

    // Sorted by code without regard to case; for a code held twice, the row
    // the database would return first.
    std::vector<std::pair<QString, QString>> m_voci;
    // A hash of the case-folded code to its place in m_voci (from 1; 0 is a
    // free slot), at least twice as large as m_voci and a power of two: the
    // import looks up two codes per row, so a lookup is one hash and mostly
    // one comparison instead of a binary search.
    std::vector<qint32> m_indice;
};
