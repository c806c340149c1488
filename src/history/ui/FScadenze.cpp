#include "history/ui/FScadenze.h"

#include "base/Orologio.h"
#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"
#include "history/ui/ColoriStato.h"
#include "history/ui/TestiStorico.h"

#include <QDateEdit>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

const QString kTitolo = QStringLiteral("Scadenze");
const QStringList kIntestazioni{QStringLiteral("Agenzia"),  QStringLiteral("Ragione sociale"),
                                QStringLiteral("Stato"),    QStringLiteral("File"),
                                QStringLiteral("Scadenza"), QStringLiteral("Giorni")};
constexpr int kColonnaAgenzia = 0;
constexpr int kRuoloOrdine = Qt::UserRole; // what a click on a heading sorts by

QStandardItem* cella(const QString& testo, const QVariant& ordine = {})
{
    auto* c = new QStandardItem(testo);
    c->setData(ordine.isValid() ? ordine : QVariant(testo), kRuoloOrdine);
    return c;
}

} // namespace

FScadenze::FScadenze(const Connessione& connessione, QWidget* padre)
    : QDialog(padre), m_connessione(connessione), m_mese(new QDateEdit(this)),
      m_modello(new QStandardItemModel(0, kIntestazioni.size(), this)),
      m_ordine(new QSortFilterProxyModel(this)), m_tabella(new QTableView(this)),
      m_apriAgenzia(Finestre::pulsante("ApriAgenzia", QStringLiteral("Apri agenzia"), this))
{
    setObjectName(QStringLiteral("FScadenze"));
    setWindowTitle(QStringLiteral("Scadenze delle comunicazioni"));

    int anno = 0;
    int mese = 0;
    Scadenze::mesePrecedente(Orologio::oggi(), anno, mese);
    m_mese->setObjectName(QStringLiteral("MeseScadenze"));
    m_mese->setDisplayFormat(QStringLiteral("MM/yyyy"));
    m_mese->setDate(QDate(anno, mese, 1));

    m_modello->setHorizontalHeaderLabels(kIntestazioni);
    m_ordine->setSourceModel(m_modello);
    m_ordine->setSortRole(kRuoloOrdine);
    m_tabella->setObjectName(QStringLiteral("TabellaScadenze"));
    m_tabella->setModel(m_ordine);
    // The agency list's order until the accountant clicks a heading.
    m_tabella->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_tabella->setSortingEnabled(true);
    m_tabella->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabella->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabella->verticalHeader()->hide();
    m_tabella->horizontalHeader()->setStretchLastSection(true);

    auto* chiudi = Finestre::pulsante("Chiudi", QStringLiteral("Chiudi"), this);
    connect(m_mese, &QDateEdit::dateChanged, this, &FScadenze::aggiorna);
    connect(m_tabella, &QTableView::doubleClicked, this, &FScadenze::apri);
    connect(m_apriAgenzia, &QPushButton::clicked, this,
            [this] { apri(m_tabella->currentIndex()); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::reject);

    auto* scelta = new QHBoxLayout;
    scelta->addWidget(new QLabel(QStringLiteral("Mese"), this));
    scelta->addWidget(m_mese);
    scelta->addStretch();
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(m_apriAgenzia);
    comandi->addStretch();
    comandi->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(scelta);
    layout->addWidget(m_tabella);
    layout->addLayout(comandi);
    aggiorna();
    resize(960, 520);
    Finestre::centra(this);
}

int FScadenze::anno() const
{
    return m_mese->date().year();
}

int FScadenze::mese() const
{
    return m_mese->date().month();
}

void FScadenze::aggiorna()
{
    const auto righe = Scadenze::elenco(m_connessione, anno(), mese(), Orologio::oggi());
    if (!righe) {
        riempi({});
        Messaggi::mostra(this, righe.errore(), kTitolo, Messaggi::Icona::Critica);
        return;
    }
    riempi(*righe);
}

void FScadenze::riempi(const QList<Scadenze::Riga>& righe)
{
    m_modello->removeRows(0, m_modello->rowCount());
    for (const Scadenze::Riga& riga : righe) {
        auto* stato = cella(StoricoInvii::testoStato(riga.stato));
        stato->setBackground(ColoreStato(riga.stato));
        auto* giorni = cella(TestiStorico::giorni(riga.giorni), riga.giorni);
        giorni->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        // Only a month not done makes a passed deadline an alarm.
        if (riga.giorni < 0 && !StoricoInvii::fatta(riga.stato))
            giorni->setBackground(ColoreAllarme);
        auto* file = cella(QDir::toNativeSeparators(riga.file));
        m_modello->appendRow(
            {cella(riga.agenzia), cella(riga.nome), stato, file,
             cella(riga.scadenza.toString(QStringLiteral("dd/MM/yyyy")), riga.scadenza), giorni});
    }
    m_tabella->resizeColumnsToContents();
    m_apriAgenzia->setEnabled(!righe.isEmpty());
    if (!righe.isEmpty())
        m_tabella->selectRow(0);
}

void FScadenze::apri(const QModelIndex& indice)
{
    if (!indice.isValid())
        return;
    m_scelta = m_ordine->index(indice.row(), kColonnaAgenzia).data().toString();
    accept();
}
