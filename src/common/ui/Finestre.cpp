#include "common/ui/Finestre.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

void Finestre::centra(QWidget* finestra)
{
    const QScreen* schermo =
        finestra->screen() ? finestra->screen() : QGuiApplication::primaryScreen();
    if (!schermo)
        return;
    const QRect area = schermo->availableGeometry();
    finestra->move(area.x() + (area.width() - finestra->width()) / 2,
                   area.y() + (area.height() - finestra->height()) / 2);
}

QPushButton* Finestre::pulsante(const char* nome, const QString& testo, QWidget* padre)
{
    auto* p = new QPushButton(testo, padre);
    p->setObjectName(QString::fromLatin1(nome));
    return p;
}
