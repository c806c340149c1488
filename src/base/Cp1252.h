#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Files exchanged with OAM and with older installations are bytes in the
// Windows-1252 code page, one byte per character.
namespace Cp1252 {

// One byte per character of the text. A character outside the code page
// loses its diacritics when that makes it fit ("Ł" -> "L"); anything else
// becomes "?". So the byte count always equals the character count, which
// keeps fixed-width records at their width.
QByteArray codifica(QStringView testo);
void codificaIn(QStringView testo, QByteArray& destinazione);

// Every byte is a character of the code page (the five unassigned bytes map
// to the control characters of the same value, as Windows does).
QString decodifica(QByteArrayView byte);
// The same into `destinazione`, whose buffer is reused when large enough.
void decodificaIn(QByteArrayView byte, QString& destinazione);

// The code page byte of one character, or -1 when it has none.
int byteDi(char16_t carattere);

// Every byte below 0x80: ASCII, which reads the same in this code page, in
// Latin-1 and in UTF-8. Looked at eight bytes at a time.
bool soloAscii(QByteArrayView byte);

} // namespace Cp1252
