#pragma once

#include <QByteArray>
#include <QIcon>
#include <QImage>

// The program's icon: a sheet of monthly records with two coins of different currencies, as
// data/desktop/zefirante.svg draws it for the Linux desktop. Drawn here, because Windows takes
// no SVG: the windows' title bars and task bar, and the .ico of the Windows executables.
namespace IconaProgramma {

QImage disegna(int lato);
QIcon icona();
// A Windows .ico holding the icon at 16, 24, 32, 48, 64 and 256 pixels, each as PNG.
QByteArray fileIco();

} // namespace IconaProgramma
