#include "communication/ui/FCsv.h"

#include "common/ui/Finestre.h"
#include "common/ui/SegnalaErrore.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

FCsv::FCsv(const QString& foglio, const QString& separatore, const QString& primaRiga,
           QWidget* padre)
    : QDialog(padre)
{
    setObjectName(QStringLiteral("FCsv"));
    setWindowTitle(QStringLiteral("Impostazioni per import file CSV"));
    auto* titolo = new QLabel(QStringLiteral("<b>Import file CSV</b>"), this);
    auto* vfbase = new QLineEdit(foglio, this);
    vfbase->setObjectName(QStringLiteral("vfbase"));
    vfbase->setReadOnly(true);
    m_vCarSep = new QLineEdit(separatore, this);
    m_vCarSep->setObjectName(QStringLiteral("vCarSep"));
    m_vCarSep->setToolTip(QStringLiteral("Indicare il carattere che separa i singoli campi"));
    m_vPRD = new QLineEdit(primaRiga, this);
    m_vPRD->setObjectName(QStringLiteral("vPRD"));
    m_vPRD->setToolTip(
        QStringLiteral("Indicare la prima riga dei dati (tolte le intestazioni eventuali)"));
    auto* confermaPulsante = new QPushButton(QStringLiteral("Conferma Import CSV"), this);
    confermaPulsante->setObjectName(QStringLiteral("Command1"));
    confermaPulsante->setDefault(true);
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    chiudi->setObjectName(QStringLiteral("bAnnulla"));
    connect(confermaPulsante, &QPushButton::clicked, this, &FCsv::conferma);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);

    auto* campi = new QFormLayout;
    campi->addRow(QStringLiteral("Archivio da Importare:"), vfbase);
    campi->addRow(QStringLiteral("Carattere Separatore:"), m_vCarSep);
    campi->addRow(QStringLiteral("Prima Riga Dati"), m_vPRD);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(confermaPulsante);
    pulsanti->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(titolo);
    layout->addLayout(campi);
    layout->addLayout(pulsanti);
    resize(520, 180);
    Finestre::centra(this);
}

void FCsv::conferma()
{
    if (m_vCarSep->text().trimmed().isEmpty()) {
        QString messaggio = QStringLiteral("Indicare il carattere separatore");
        SegnalaErrore(m_vCarSep, messaggio);
        return;
    }
    m_separatore = m_vCarSep->text();
    m_primaRiga = m_vPRD->text();
    accept();
}
