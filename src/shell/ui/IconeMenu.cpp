#include "shell/ui/IconeMenu.h"

#include <QApplication>
#include <QStyle>

namespace {

QStyle::StandardPixmap icona(int numero)
{
    switch (numero) {
    case 1:
        return QStyle::SP_DialogSaveButton;
    case 2:
        return QStyle::SP_BrowserReload;
    case 12:
        return QStyle::SP_MessageBoxInformation;
    case 13:
        return QStyle::SP_DialogHelpButton;
    case 14:
        return QStyle::SP_FileIcon;
    case 15:
        return QStyle::SP_FileDialogContentsView;
    case 70:
        return QStyle::SP_ComputerIcon;
    default:
        return QStyle::SP_CustomBase;
    }
}

} // namespace

VoceMenu IconeMenu::leggi(const QString& didascalia)
{
    const qsizetype barra = didascalia.indexOf(QLatin1Char('|'));
    VoceMenu voce{barra < 0 ? didascalia : didascalia.left(barra), {}};
    if (barra < 0)
        return voce;
    bool ok = false;
    const int numero = didascalia.mid(barra + 1).remove(QLatin1Char('#')).mid(1).toInt(&ok);
    if (ok && icona(numero) != QStyle::SP_CustomBase)
        voce.icona = QApplication::style()->standardIcon(icona(numero));
    return voce;
}
