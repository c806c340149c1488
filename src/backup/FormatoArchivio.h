#pragma once

#include "base/Esito.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The backup archive of one agency: Windows-1252 text, one table row per
// line, CR LF at the end of each line. A line is the separator, the table
// name, then for every column in table order the separator and the value:
//   ¦COPE¦<OCOD>¦<ORAG>¦...
//   ¦CTAB¦<TIPO>¦<COD>¦<DES>
// Values are not escaped, so a value may hold neither the separator nor a
// line break. Archives of older installations used "#" as the separator; a
// reader takes each line's first character as that line's separator.
namespace Archivio {

inline constexpr char16_t Separatore = u'\u00A6'; // "¦", byte 166 of the code page
inline const QString COPE = QStringLiteral("COPE");
inline const QString CTAB = QStringLiteral("CTAB");

inline const QString NonArchivio =
    QStringLiteral("Il file indicato non è un file di backUp di ZEFIRANTE. Operazione annullata");

// One line of an archive, split at its own first character.
struct Riga
{
    int numero = 0; // 1-based line number in the file, for messages
    QString tabella;
    QStringList valori;
};

// A file is an archive when its first line begins with "¦COPE¦" or "#COPE#":
// the agency's own row always comes first.
bool eArchivio(QStringView primaRiga);

// The first line of the file's bytes, decoded, without its line end.
QString primaRiga(QByteArrayView contenuto);

// Splits a line at its first character: the table name and the values.
Riga dividi(QStringView riga, int numero);

// Every non-blank line of an archive, in file order. The content must be
// recognised as an archive (NonArchivio otherwise) and its first value, the
// agency code, must not be blank.
Esito<QList<Riga>> leggiRighe(QByteArrayView contenuto);

// One line as written, with "¦" and without the line end.
QString componi(const QString& tabella, const QStringList& valori);

// True when the value can stand in an archive line without breaking it.
bool valoreScrivibile(QStringView valore);

} // namespace Archivio
