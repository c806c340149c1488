#pragma once

#include <QIcon>
#include <QString>

struct VoceMenu
{
    QString testo;
    QIcon icona;
};

// Menu captions carry their icon as a suffix ("Salva|#K1"): the text before
// "|" is shown, the number after "#k" picks the icon.
namespace IconeMenu {
VoceMenu leggi(const QString& didascalia);
}
