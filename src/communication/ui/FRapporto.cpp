#include "communication/ui/FRapporto.h"

#include "common/ui/Documenti.h"
#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QStringList intestazioni(FRapporto::Tipo tipo)
{
    if (tipo == FRapporto::Tipo::avvisi)
        return {QStringLiteral("Riga"), QStringLiteral("Campo"), QStringLiteral("Valore"),
                QStringLiteral("Motivo"), QStringLiteral("Soggetto")};
    return {QStringLiteral("Riga"), QStringLiteral("Campo"), QStringLiteral("Valore errato"),
            QStringLiteral("Soggetto")};
}

QString titolo(FRapporto::Tipo tipo)
{
    return tipo == FRapporto::Tipo::avvisi ? QStringLiteral("Ultimi avvisi")
                                           : QStringLiteral("Ultimo rapporto errori");
}

} // namespace

FRapporto::FRapporto(const QString& percorso, const ContenutoRapporto& contenuto, Tipo tipo,
                     QWidget* padre)
    : QDialog(padre), m_percorso(percorso), m_tipo(tipo), m_intestazioni(intestazioni(tipo)),
      m_modello(new QStandardItemModel(0, static_cast<int>(m_intestazioni.size()), this)),
      m_filtro(new QSortFilterProxyModel(this)), m_tabella(new QTableView(this))
{
    setObjectName(QStringLiteral("FRapporto"));
    setWindowTitle(titolo(tipo));
    auto* foglio = new QLabel(QStringLiteral("Archivio: ") + contenuto.foglio, this);
    foglio->setObjectName(QStringLiteral("Archivio"));
    foglio->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* filtro = new QLineEdit(this);
    filtro->setObjectName(QStringLiteral("Filtro"));
    filtro->setPlaceholderText(QStringLiteral("Filtra le righe (campo, valore, soggetto...)"));
    filtro->setClearButtonEnabled(true);

    m_modello->setHorizontalHeaderLabels(m_intestazioni);
    m_filtro->setSourceModel(m_modello);
    m_filtro->setFilterKeyColumn(-1);
    m_filtro->setFilterCaseSensitivity(Qt::CaseInsensitive);
    m_filtro->setSortRole(Qt::UserRole);
    connect(filtro, &QLineEdit::textChanged, m_filtro,
            &QSortFilterProxyModel::setFilterFixedString);

    m_tabella->setObjectName(QStringLiteral("Tabella"));
    m_tabella->setModel(m_filtro);
    m_tabella->setSortingEnabled(true);
    m_tabella->sortByColumn(0, Qt::AscendingOrder);
    m_tabella->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabella->verticalHeader()->hide();
    m_tabella->horizontalHeader()->setStretchLastSection(true);
    riempi(contenuto);
    m_tabella->resizeColumnsToContents();

    auto* copiaTutto = Finestre::pulsante("Copia", QStringLiteral("Copia negli appunti"), this);
    auto* sistema =
        Finestre::pulsante("ApriSistema", QStringLiteral("Apri con il programma di sistema"), this);
    auto* cartella = Finestre::pulsante("ApriCartella", QStringLiteral("Apri cartella"), this);
    m_avvisi = Finestre::pulsante("Avvisi", QStringLiteral("Visualizza gli avvisi"), this);
    m_avvisi->hide();
    auto* chiudi = Finestre::pulsante("Chiudi", QStringLiteral("Chiudi"), this);
    connect(copiaTutto, &QPushButton::clicked, this, &FRapporto::copia);
    connect(sistema, &QPushButton::clicked, this, [this] { Documenti::apri(m_percorso); });
    connect(cartella, &QPushButton::clicked, this,
            [this] { Documenti::apri(QFileInfo(m_percorso).absolutePath()); });
    connect(m_avvisi, &QPushButton::clicked, this, [this] { MostraAvvisi(m_fileAvvisi, this); });
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* comandi = new QHBoxLayout;
    comandi->addWidget(copiaTutto);
    comandi->addWidget(sistema);
    comandi->addWidget(cartella);
    comandi->addWidget(m_avvisi);
    comandi->addStretch();
    comandi->addWidget(chiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(foglio);
    layout->addWidget(filtro);
    layout->addWidget(m_tabella);
    layout->addLayout(comandi);
    resize(900, 480);
    Finestre::centra(this);
}

void FRapporto::offriAvvisi(const QString& fileAvvisi)
{
    m_fileAvvisi = fileAvvisi;
    m_avvisi->show();
}

void FRapporto::riempi(const ContenutoRapporto& contenuto)
{
    for (const VoceRapporto& voce : contenuto.voci) {
        QStringList testi{QString::number(voce.riga), voce.campo, voce.valore, voce.soggetto};
        if (m_tipo == Tipo::avvisi)
            testi.insert(3, voce.motivo);
        QList<QStandardItem*> celle;
        for (const QString& testo : testi) {
            auto* cella = new QStandardItem(testo);
            cella->setData(testo, Qt::UserRole);
            celle.append(cella);
        }
        celle.first()->setData(voce.riga, Qt::UserRole); // row 9 before row 12
        m_modello->appendRow(celle);
    }
}

QString FRapporto::testoVisibile() const
{
    QStringList righe{m_intestazioni.join(QLatin1Char('\t'))};
    for (int r = 0; r < m_filtro->rowCount(); ++r) {
        QStringList celle;
        for (int c = 0; c < m_filtro->columnCount(); ++c)
            celle << m_filtro->index(r, c).data().toString();
        righe << celle.join(QLatin1Char('\t'));
    }
    return righe.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void FRapporto::copia()
{
    QApplication::clipboard()->setText(testoVisibile());
}

namespace {

void mostra(const QString& percorso, FRapporto::Tipo tipo, QWidget* padre,
            const QString& fileAvvisi)
{
    const auto contenuto =
        tipo == FRapporto::Tipo::avvisi ? LeggiAvvisi(percorso) : LeggiRapportoErrori(percorso);
    if (!contenuto) {
        Messaggi::mostra(padre, contenuto.errore(), titolo(tipo), Messaggi::Icona::Informazione);
        return;
    }
    FRapporto finestra(percorso, *contenuto, tipo, padre);
    if (!fileAvvisi.isEmpty())
        finestra.offriAvvisi(fileAvvisi);
    finestra.exec();
}

} // namespace

void MostraRapportoErrori(const QString& percorso, QWidget* padre, const QString& fileAvvisi)
{
    mostra(percorso, FRapporto::Tipo::errori, padre, fileAvvisi);
}

void MostraAvvisi(const QString& percorso, QWidget* padre)
{
    mostra(percorso, FRapporto::Tipo::avvisi, padre, QString());
}
