#include "printing/ui/FSTAMPA.h"

#include "common/ui/Finestre.h"
#include "shell/Ambiente.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

FSTAMPA::FSTAMPA(Ambiente& ambiente, QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("FSTAMPA"));
    setWindowTitle(QStringLiteral("Stampa tabulati"));
    auto* agenzia = new QLabel(ambiente.agenziaCorrente.codice + QLatin1Char(' ') + ambiente.agenziaCorrente.nome, this);
    agenzia->setObjectName(QStringLiteral("Label1"));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("Command1"));
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(agenzia);
    layout->addWidget(chiudi, 0, Qt::AlignRight);
    Finestre::centra(this);
}
