#include "registry/ui/FOPC.h"

#include "shell/Ambiente.h"

#include <QLabel>
#include <QVBoxLayout>

FOPC::FOPC(Ambiente& ambiente, QWidget* padre) : QWidget(padre), m_ambiente(ambiente)
{
    setObjectName(QStringLiteral("FOPC"));
    setWindowTitle(QStringLiteral("Elenco Agenzie di Cambio"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Elenco Agenzie di Cambio"), this));
    m_ambiente.formAttivo = QStringLiteral("FOPC");
}

void FOPC::Aggiungi() {}

void FOPC::Elimina() {}
