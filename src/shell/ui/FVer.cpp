#include "shell/ui/FVer.h"

#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"
#include "shell/Versione.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QUrlQuery>

FVer::FVer(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("FVer"));
    setWindowTitle(QStringLiteral("ZEFIRANTE - Versione"));
    auto* versione = new QLabel(Versione::testoVersione, this);
    versione->setObjectName(QStringLiteral("Versione"));
    auto* release = new QLabel(Versione::testoRelease, this);
    release->setObjectName(QStringLiteral("Nrel"));

    const auto contatto = [this](const char* nome, const QString& indirizzo) {
        auto* etichetta = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(indirizzo), this);
        etichetta->setObjectName(QString::fromLatin1(nome));
        etichetta->setTextInteractionFlags(Qt::LinksAccessibleByMouse |
                                           Qt::LinksAccessibleByKeyboard);
        connect(etichetta, &QLabel::linkActivated, this, [this, indirizzo] { scrivi(indirizzo); });
        return etichetta;
    };
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("Command1"));
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("<h2>ZEFIRANTE</h2>"), this), 0, 0, 1, 2,
                      Qt::AlignCenter);
    layout->addWidget(versione, 1, 0, 1, 2, Qt::AlignCenter);
    layout->addWidget(release, 2, 0, 1, 2, Qt::AlignCenter);
    layout->addWidget(new QLabel(QStringLiteral("Assistenza:"), this), 3, 0);
    layout->addWidget(contatto("LAssistenza", indirizzoAssistenza()), 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("Commerciale:"), this), 4, 0);
    layout->addWidget(contatto("LCommerciale", indirizzoCommerciale()), 4, 1);
    layout->addWidget(chiudi, 5, 0, 1, 2, Qt::AlignCenter);
    resize(420, 220);
    Finestre::centra(this);
}

QString FVer::indirizzoAssistenza()
{
    return QStringLiteral("assistenza@zefirante.it");
}

QString FVer::indirizzoCommerciale()
{
    return QStringLiteral("commerciale@zefirante.it");
}

QUrl FVer::messaggioPer(const QString& indirizzo)
{
    QUrl url(QStringLiteral("mailto:") + indirizzo);
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("subject"),
                       QStringLiteral("ZEFIRANTE - richiesta di informazioni"));
    url.setQuery(query);
    return url;
}

void FVer::scrivi(const QString& indirizzo)
{
    if (!QDesktopServices::openUrl(messaggioPer(indirizzo)))
        Messaggi::mostra(
            this, QStringLiteral("Nessun programma di posta disponibile. Scrivere a ") + indirizzo,
            Versione::titoloApplicazione, Messaggi::Icona::Informazione);
}
