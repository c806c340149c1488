#pragma once

#include <QByteArray>
#include <QByteArrayView>

// The light scrambling of the connection descriptor that sibling programs of
// the installation share: byte i (from 1) moves by key + i, forwards to write,
// backwards to read. It works on the Windows-1252 bytes of a line.
namespace Offusca {

enum class Modo
{
    Scrivi,
    Leggi
};

// Codes that leave 0..255 wrap around, so any text survives a round trip.
QByteArray Offusca(QByteArrayView testo, Modo modo, int chiave);

} // namespace Offusca
