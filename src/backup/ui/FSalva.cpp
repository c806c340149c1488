#include "backup/ui/FSalva.h"

#include "backup/NomiArchivio.h"
#include "backup/RipristinaArchivio.h"
#include "backup/ScriviArchivio.h"
#include "common/ui/DialoghiFile.h"
#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"
#include "shell/Ambiente.h"
#include "shell/Versione.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int PassiBarra = 1000;
}

FSalva::FSalva(Ambiente& ambiente, QWidget* padre) : QDialog(padre), m_ambiente(ambiente)
{
    setObjectName(QStringLiteral("FSalva"));
    setWindowTitle(QStringLiteral("Salvataggio/Ripristino"));
    setModal(true);

    m_titolo = new QLabel(QStringLiteral("Crea ARCHIVIO DI BACKUP"), this);
    m_titolo->setObjectName(QStringLiteral("Label1"));
    QFont grande = m_titolo->font();
    grande.setBold(true);
    grande.setPointSizeF(grande.pointSizeF() * 1.3);
    m_titolo->setFont(grande);
    m_titolo->setAlignment(Qt::AlignCenter);

    m_agenzia = new QLabel(this);
    m_agenzia->setObjectName(QStringLiteral("Label2"));
    m_agenzia->setAlignment(Qt::AlignCenter);

    m_domanda =
        new QLabel(QStringLiteral("Confermi il ripristino di questo archivio? Se presenti, i dati "
                                  "dell'operatore saranno SOSTITUITI"),
                   this);
    m_domanda->setObjectName(QStringLiteral("Label3"));
    m_domanda->setWordWrap(true);
    m_domanda->setAlignment(Qt::AlignCenter);
    m_domanda->hide();

    m_barra = new QProgressBar(this);
    m_barra->setObjectName(QStringLiteral("PBar1"));
    m_barra->setRange(0, PassiBarra);
    m_barra->setValue(0);
    m_barra->hide();

    m_conferma = new QPushButton(QStringLiteral("Conferma"), this);
    m_conferma->setObjectName(QStringLiteral("Bconferma"));
    m_conferma->hide();
    connect(m_conferma, &QPushButton::clicked, this, &FSalva::conferma);

    m_chiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    m_chiudi->setObjectName(QStringLiteral("bAnnulla"));
    connect(m_chiudi, &QPushButton::clicked, this, &QDialog::reject);

    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(m_conferma);
    pulsanti->addWidget(m_chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_titolo);
    layout->addWidget(m_agenzia);
    layout->addWidget(m_domanda);
    layout->addWidget(m_barra);
    layout->addStretch();
    layout->addLayout(pulsanti);
    resize(520, 220);
}

int FSalva::mostra()
{
    if (!prepara())
        return QDialog::Rejected;
    return exec();
}

bool FSalva::prepara()
{
    Finestre::centra(this);
    m_agenzia->clear();
    m_domanda->hide();
    m_barra->hide();
    m_conferma->hide();
    m_file.clear();
    m_codiceArchivio.clear();
    m_ripristino = m_ambiente.modoSalva == QLatin1String("R");
    if (m_ripristino)
        return preparaRipristino();
    preparaSalvataggio();
    return true;
}

bool FSalva::preparaRipristino()
{
    m_titolo->setText(QStringLiteral("RIPRISTINA ARCHIVIO DI BACKUP"));
    m_file = DialoghiFile::apri(this, QStringLiteral("Indica il file di backUp da ripristinare"),
                                NomiArchivio::Filtro);
    if (m_file.isEmpty())
        return true; // cancelled: only "Chiudi" remains
    const auto intestazione = LeggiIntestazione(m_file);
    if (!intestazione) {
        Messaggi::mostra(this, intestazione.errore(), Versione::titoloApplicazione);
        m_file.clear();
        return false;
    }
    m_codiceArchivio = intestazione->codice;
    m_agenzia->setText(intestazione->descrizione);
    m_domanda->show();
    m_conferma->show();
    return true;
}

void FSalva::preparaSalvataggio()
{
    m_titolo->setText(QStringLiteral("CREA ARCHIVIO DI BACKUP"));
    const AgenziaCorrente& agenzia = m_ambiente.agenziaCorrente;
    m_agenzia->setText(agenzia.nome);
    m_file = DialoghiFile::salva(this, QStringLiteral("Indica dove salvare il file di backUp"),
                                 NomiArchivio::Filtro, NomiArchivio::salvataggio(agenzia.nome));
    m_conferma->setVisible(!m_file.isEmpty());
}

void FSalva::passo()
{
    int valore = m_barra->value() + 1;
    if (valore >= PassiBarra)
        valore = 1;
    m_barra->setValue(valore);
}

void FSalva::conferma()
{
    if (m_file.isEmpty())
        return;
    m_barra->setRange(0, PassiBarra);
    m_barra->setValue(0);
    m_barra->show();
    m_conferma->setEnabled(false);
    m_chiudi->setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const auto avanza = [this] { passo(); };

    QString errore;
    if (m_ripristino) {
        const auto esito = RipristinaArchivio(m_ambiente.db(), m_file, m_ambiente.cartella, avanza);
        if (!esito)
            errore = esito.errore();
    } else {
        const auto esito =
            ScriviArchivio(m_ambiente.db(), m_file, m_ambiente.agenziaCorrente.codice, avanza);
        if (!esito)
            errore = esito.errore();
    }
    QApplication::restoreOverrideCursor();
    m_conferma->setEnabled(true);
    m_chiudi->setEnabled(true);

    if (!errore.isEmpty()) {
        Messaggi::mostra(this, QStringLiteral(" Errore: ") + errore, windowTitle(),
                         Messaggi::Icona::Critica);
        reject();
        return;
    }
    Messaggi::mostra(this,
                     m_ripristino ? QStringLiteral("Ripristino terminato")
                                  : QStringLiteral("Creazione file di BackUP terminata"),
                     Versione::titoloApplicazione);
    accept();
}
