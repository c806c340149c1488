#include "backup/FormatoArchivio.h"

#include "base/Cp1252.h"

namespace {

bool fineRiga(char c)
{
    return c == '\r' || c == '\n';
}

// The length of the line end at `i`: CR LF counts as one end, and so does a
// lone CR or LF, as older tools wrote either.
qsizetype lunghezzaFine(QByteArrayView contenuto, qsizetype i)
{
    if (contenuto[i] == '\r' && i + 1 < contenuto.size() && contenuto[i + 1] == '\n')
        return 2;
    return 1;
}

} // namespace

bool Archivio::eArchivio(QStringView primaRiga)
{
    return primaRiga.startsWith(u"\u00A6COPE\u00A6") || primaRiga.startsWith(u"#COPE#");
}

QString Archivio::primaRiga(QByteArrayView contenuto)
{
    qsizetype fine = 0;
    while (fine < contenuto.size() && !fineRiga(contenuto[fine]))
        ++fine;
    return Cp1252::decodifica(contenuto.first(fine));
}

Archivio::Riga Archivio::dividi(QStringView riga, int numero)
{
    Riga risultato;
    risultato.numero = numero;
    if (riga.isEmpty())
        return risultato;
    const QChar separatore = riga.front();
    const auto parti = riga.mid(1).split(separatore);
    risultato.tabella = parti.front().toString();
    for (qsizetype i = 1; i < parti.size(); ++i)
        risultato.valori.append(parti[i].toString());
    return risultato;
}

Esito<QList<Archivio::Riga>> Archivio::leggiRighe(QByteArrayView contenuto)
{
    if (!eArchivio(primaRiga(contenuto)))
        return Errore{NonArchivio};

    QList<Riga> righe;
    int numero = 0;
    qsizetype inizio = 0;
    while (inizio < contenuto.size()) {
        qsizetype fine = inizio;
        while (fine < contenuto.size() && !fineRiga(contenuto[fine]))
            ++fine;
        ++numero;
        const QString riga = Cp1252::decodifica(contenuto.sliced(inizio, fine - inizio));
        if (!riga.trimmed().isEmpty())
            righe.append(dividi(riga, numero));
        inizio = fine < contenuto.size() ? fine + lunghezzaFine(contenuto, fine) : fine;
    }
    // The agency code names the safety copy and the rows to replace.
    if (righe.front().valori.isEmpty() || righe.front().valori.front().trimmed().isEmpty())
        return Errore{NonArchivio};
    return righe;
}

QString Archivio::componi(const QString& tabella, const QStringList& valori)
{
    QString riga = QChar(Separatore) + tabella;
    for (const QString& valore : valori)
        riga += QChar(Separatore) + valore;
    return riga;
}

bool Archivio::valoreScrivibile(QStringView valore)
{
    for (const QChar c : valore) {
        if (c == QChar(Separatore) || c == u'\r' || c == u'\n')
            return false;
    }
    return true;
}
