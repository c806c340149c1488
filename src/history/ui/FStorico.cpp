#include "history/ui/FStorico.h"

#include "common/ui/Documenti.h"
#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"
#include "history/ui/ColoriStato.h"
#include "history/ui/TestiStorico.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const QString kTitolo = QStringLiteral("Storico invii");
const QStringList kIntestazioni{QStringLiteral("Periodo"),       QStringLiteral("Tipo"),
                                QStringLiteral("File"),          QStringLiteral("Scritto"),
                                QStringLiteral("Record B"),      QStringLiteral("Righe errori"),
                                QStringLiteral("Stato del file")};

QTableWidgetItem* cella(const QString& testo, Qt::Alignment allineamento = Qt::AlignLeft)
{
    auto* c = new QTableWidgetItem(testo);
    c->setTextAlignment(allineamento | Qt::AlignVCenter);
    return c;
}

} // namespace

FStorico::FStorico(const QString& nome, QList<StoricoInvii::Invio> invii, QWidget* padre)
    : QDialog(padre), m_invii(std::move(invii)),
      m_tabella(new QTableWidget(0, kIntestazioni.size(), this)),
      m_apriCartella(Finestre::pulsante("ApriCartella", QStringLiteral("Apri cartella"), this))
{
    setObjectName(QStringLiteral("FStorico"));
    setWindowTitle(kTitolo + QStringLiteral(" - ") + nome.trimmed());
    m_tabella->setObjectName(QStringLiteral("TabellaStorico"));
    m_tabella->setHorizontalHeaderLabels(kIntestazioni);
    m_tabella->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabella->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabella->verticalHeader()->hide();
    m_tabella->horizontalHeader()->setStretchLastSection(true);
    riempi();

    auto* vuoto = new QLabel(QStringLiteral("Nessuna comunicazione registrata"), this);
    vuoto->setObjectName(QStringLiteral("NessunInvio"));
    vuoto->setVisible(m_invii.isEmpty());
    auto* chiudi = Finestre::pulsante("Chiudi", QStringLiteral("Chiudi"), this);
    m_apriCartella->setEnabled(false);
    connect(m_tabella, &QTableWidget::itemSelectionChanged, this,
            [this] { m_apriCartella->setEnabled(!m_tabella->selectedItems().isEmpty()); });
    connect(m_apriCartella, &QPushButton::clicked, this, &FStorico::apriCartella);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    if (!m_invii.isEmpty())
        m_tabella->selectRow(0);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(m_apriCartella);
    comandi->addStretch();
    comandi->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(vuoto);
    layout->addWidget(m_tabella);
    layout->addLayout(comandi);
    resize(960, 420);
    Finestre::centra(this);
}

void FStorico::riempi()
{
    m_tabella->setRowCount(static_cast<int>(m_invii.size()));
    for (int riga = 0; riga < m_invii.size(); ++riga) {
        const StoricoInvii::Invio& invio = m_invii.at(riga);
        auto* file = cella(QFileInfo(invio.percorso).fileName());
        file->setToolTip(QDir::toNativeSeparators(invio.percorso));
        const StoricoInvii::Verifica verifica = StoricoInvii::verifica(invio);
        auto* stato = cella(StoricoInvii::testoVerifica(verifica));
        // A file changed or gone since it was written is no longer the one to send.
        if (verifica != StoricoInvii::Verifica::integro)
            stato->setBackground(ColoreAllarme);
        const QList<QTableWidgetItem*> celle{
            cella(TestiStorico::periodo(invio.anno, invio.mese)),
            cella(StoricoInvii::testoTipo(invio.tipo)),
            file,
            cella(TestiStorico::dataOra(invio.scritto)),
            cella(QString::number(invio.recordB), Qt::AlignRight),
            cella(QString::number(invio.righeErrori), Qt::AlignRight),
            stato};
        for (int colonna = 0; colonna < celle.size(); ++colonna)
            m_tabella->setItem(riga, colonna, celle.at(colonna));
    }
    m_tabella->resizeColumnsToContents();
}

void FStorico::apriCartella()
{
    const int riga = m_tabella->currentRow();
    if (riga < 0 || riga >= m_invii.size())
        return;
    const QString cartella = QFileInfo(m_invii.at(riga).percorso).absolutePath();
    if (!QFileInfo(cartella).isDir()) {
        Messaggi::mostra(this,
                         QStringLiteral("La cartella %1 non esiste più.")
                             .arg(QDir::toNativeSeparators(cartella)),
                         kTitolo, Messaggi::Icona::Avviso);
        return;
    }
    if (!Documenti::apri(cartella))
        Messaggi::mostra(this,
                         QStringLiteral("Nessun programma del sistema apre la cartella %1.")
                             .arg(QDir::toNativeSeparators(cartella)),
                         kTitolo, Messaggi::Icona::Avviso);
}

void MostraStorico(const Connessione& connessione, const QString& agenzia, const QString& nome,
                   QWidget* padre)
{
    auto invii = StoricoInvii::elenco(connessione, agenzia);
    if (!invii) {
        Messaggi::mostra(padre, invii.errore(), kTitolo, Messaggi::Icona::Critica);
        return;
    }
    FStorico finestra(nome, std::move(invii).valore(), padre);
    finestra.exec();
}
