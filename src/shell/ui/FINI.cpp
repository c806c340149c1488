#include "shell/ui/FINI.h"

#include "shell/Versione.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FINI::FINI(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("FINI"));
    setWindowTitle(QStringLiteral("Benvenuto"));
    auto* titolo =
        new QLabel(QStringLiteral("<h2>ZEFIRANTE</h2><p>Comunicazione mensile all'OAM delle "
                                  "operazioni di cambio valuta</p>"),
                   this);
    titolo->setAlignment(Qt::AlignCenter);
    auto* versione = new QLabel(Versione::testoVersione, this);
    versione->setObjectName(QStringLiteral("LVersionePgm"));
    auto* release = new QLabel(Versione::testoRelease, this);
    release->setObjectName(QStringLiteral("Nrel"));
    auto* entraPulsante = new QPushButton(QStringLiteral("Entra"), this);
    entraPulsante->setObjectName(QStringLiteral("Command1"));
    entraPulsante->setDefault(true);
    connect(entraPulsante, &QPushButton::clicked, this, &FINI::entra);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titolo);
    layout->addWidget(versione, 0, Qt::AlignCenter);
    layout->addWidget(release, 0, Qt::AlignCenter);
    layout->addSpacing(12);
    layout->addWidget(entraPulsante, 0, Qt::AlignCenter);
    resize(460, 240);
}
