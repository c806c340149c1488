#include "common/ui/GestioneListView.h"

#include "storage/ContenutoLista.h"
#include "common/ui/StatoListe.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTreeWidget>

namespace {

// The current cell must sit in a visible column: the arrow keys move the
// current cell, and one in a hidden column (the icon column of a list
// without icons) does not move at all.
int colonnaCorrente(const QTreeWidget* lista)
{
    for (int c = 0; c < lista->columnCount(); ++c)
        if (!lista->isColumnHidden(c))
            return c;
    return 0;
}

// Item data: the number a cell holds (numbers sort by value, not by text).
constexpr int RuoloNumero = Qt::UserRole;
// Header data: the hidden yyyymmdd column of a date field; the sort icon key.
constexpr int RuoloColonnaData = Qt::UserRole + 1;
constexpr int RuoloIcona = Qt::UserRole + 2;
// Row data: the status icon key of a row ("OK", "ER").
constexpr int RuoloStato = Qt::UserRole + 3;

// The sort a list keeps across fills, as the original list view kept its
// sort key, order and switch.
const char* const ProprietaChiave = "zefiranteChiaveOrdinamento";
const char* const ProprietaDiscendente = "zefiranteOrdineDiscendente";

constexpr int LarghezzaIcone = 300;      // twips
constexpr int LarghezzaSenzaDati = 1000; // twips
constexpr int MargineTesto = 500;        // twips
constexpr int RigheMisurate = 10;

class RigaVista : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;

    bool operator<(const QTreeWidgetItem& altra) const override
    {
        const int c = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(c, RuoloNumero);
        const QVariant b = altra.data(c, RuoloNumero);
        if (a.isValid() != b.isValid())
            return !a.isValid(); // empty values before numbers
        if (a.isValid())
            return a.toDouble() < b.toDouble();
        return QString::compare(text(c), altra.text(c), Qt::CaseInsensitive) < 0;
    }
};

Qt::Alignment allineamento(Allineamento a)
{
    switch (a) {
    case Allineamento::Destra:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Allineamento::Centro:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Allineamento::Sinistra:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QIcon iconaDaChiave(const QString& chiave)
{
    QStyle* stile = QApplication::style();
    if (chiave == QLatin1String("AZ"))
        return stile->standardIcon(QStyle::SP_ArrowUp);
    if (chiave == QLatin1String("ZA"))
        return stile->standardIcon(QStyle::SP_ArrowDown);
    if (chiave == QLatin1String("OK"))
        return stile->standardIcon(QStyle::SP_DialogApplyButton);
    if (chiave == QLatin1String("ER"))
        return stile->standardIcon(QStyle::SP_MessageBoxCritical);
    return {};
}

void impostaIconaIntestazione(QTreeWidget* lista, int colonna, const QString& chiave)
{
    QTreeWidgetItem* intestazione = lista->headerItem();
    intestazione->setData(colonna, RuoloIcona, chiave);
    intestazione->setIcon(colonna, iconaDaChiave(chiave));
}

// A width of 0 hides the column, as a zero-width column of the original list
// was kept but not seen; here the user cannot drag it open by mistake.
void impostaLarghezza(QTreeWidget* lista, int colonna, int twip)
{
    lista->setColumnHidden(colonna, twip == 0);
    if (twip > 0)
        lista->setColumnWidth(colonna, PixelDaTwip(lista, twip));
}

// Each visible column as wide as its caption or the widest of the first ten
// rows in the present order, plus a margin; the hidden sort columns stay hidden.
void AdattaColonne(QTreeWidget* lista, const ContenutoLista& contenuto)
{
    const QFontMetrics metrica(lista->font());
    const int margine = PixelDaTwip(lista, MargineTesto);
    const int righe = std::min(lista->topLevelItemCount(), RigheMisurate);
    const int colonne = static_cast<int>(contenuto.campi.size()) + 1;
    for (int c = 1; c < colonne; ++c) {
        const CampoLista& campo = contenuto.campi[c - 1];
        if (campo.invisibile) {
            impostaLarghezza(lista, c, 0);
            continue;
        }
        int larghezza = metrica.horizontalAdvance(campo.nome) + margine;
        for (int r = 0; r < righe; ++r)
            larghezza = std::max(
                larghezza, metrica.horizontalAdvance(lista->topLevelItem(r)->text(c)) + margine);
        lista->setColumnHidden(c, false);
        lista->setColumnWidth(c, larghezza);
    }
    impostaLarghezza(lista, 0, contenuto.iconePresenti ? LarghezzaIcone : 0);
}

const QTreeWidgetItem* rigaSelezionata(const QTreeWidget* lista)
{
    QTreeWidgetItem* corrente = lista->currentItem();
    if (corrente && corrente->isSelected())
        return corrente;
    const QList<QTreeWidgetItem*> selezionate = lista->selectedItems();
    return selezionate.isEmpty() ? nullptr : selezionate.first();
}

} // namespace

int PixelDaTwip(const QWidget* widget, int twip)
{
    return qRound(twip * widget->logicalDpiX() / 1440.0);
}

EsitoVuoto RiempiLista(QTreeWidget* lista, StatoListe& stato, const Connessione& connessione)
{
    auto letto = LeggiLista(connessione, stato.SqlLista, stato.FiltroLista);
    if (!letto)
        return Errore{letto.errore()};
    const ContenutoLista& contenuto = letto.valore();

    // No repaint per row while the list is rebuilt.
    lista->setUpdatesEnabled(false);
    lista->clear();
    lista->setRootIsDecorated(false);
    lista->header()->setStretchLastSection(false);
    lista->header()->setSortIndicatorShown(false);
    lista->header()->setMinimumSectionSize(
        1); // the icon column is narrower than the style's minimum
    stato.ValoriSelezionati = QStringList{QString()};

    const int n = static_cast<int>(contenuto.campi.size());
    QStringList intestazioni{QStringLiteral(" ")};
    for (const CampoLista& campo : contenuto.campi)
        intestazioni << campo.nome;
    for (const CampoLista& campo : contenuto.campi)
        if (campo.data)
            intestazioni << QStringLiteral("XX") + campo.nome;
    auto* intestazione = new QTreeWidgetItem(intestazioni);
    for (int c = 0; c < intestazioni.size(); ++c) {
        intestazione->setData(c, RuoloIcona, QString());
        intestazione->setTextAlignment(c, Qt::AlignLeft | Qt::AlignVCenter);
    }
    int colonnaData = n + 1;
    for (int j = 0; j < n; ++j)
        if (contenuto.campi[j].data)
            intestazione->setData(j + 1, RuoloColonnaData, colonnaData++);
    lista->setHeaderItem(intestazione);
    for (int c = 0; c < intestazioni.size(); ++c)
        lista->setColumnHidden(c, false);

    impostaLarghezza(lista, 0, LarghezzaIcone);
    for (int c = n + 1; c < intestazioni.size(); ++c)
        impostaLarghezza(lista, c, 0);

    if (!contenuto.conRecord) {
        // Nothing to measure: the captions keep a fixed width, and the search
        // text stays for the next fill.
        for (int c = 1; c <= n; ++c)
            impostaLarghezza(lista, c, LarghezzaSenzaDati);
        lista->setUpdatesEnabled(true);
        return {};
    }

    QList<Qt::Alignment> allineamenti;
    for (int j = 0; j < n; ++j) {
        allineamenti << allineamento(AllineamentoColonna(contenuto.campi[j].tipo));
        intestazione->setTextAlignment(j + 1, allineamenti.last());
    }

    QList<QTreeWidgetItem*> righe;
    righe.reserve(contenuto.righe.size());
    for (const RigaLista& dati : contenuto.righe) {
        auto* riga = new RigaVista;
        riga->setText(0, QString());
        for (int j = 0; j < n; ++j) {
            riga->setText(j + 1, dati.celle[j]);
            riga->setTextAlignment(j + 1, allineamenti[j]);
            if (dati.numeri[j].isValid())
                riga->setData(j + 1, RuoloNumero, dati.numeri[j]);
        }
        for (int k = 0; k < dati.chiaviData.size(); ++k)
            riga->setText(n + 1 + k, dati.chiaviData[k]);
        if (!dati.icona.isEmpty()) {
            riga->setData(0, RuoloStato, dati.icona);
            riga->setIcon(0, iconaDaChiave(dati.icona));
        }
        righe.append(riga);
    }
    lista->addTopLevelItems(righe);
    stato.FiltroLista.clear();

    const QVariant chiave = lista->property(ProprietaChiave);
    if (chiave.isValid() && chiave.toInt() < lista->columnCount())
        lista->sortItems(chiave.toInt(), lista->property(ProprietaDiscendente).toBool()
                                             ? Qt::DescendingOrder
                                             : Qt::AscendingOrder);

    AdattaColonne(lista, contenuto);
    if (lista->topLevelItemCount() > 0)
        lista->setCurrentItem(lista->topLevelItem(0), colonnaCorrente(lista),
                              QItemSelectionModel::ClearAndSelect);
    lista->setUpdatesEnabled(true);
    return {};
}

void CollegaOrdinamento(QTreeWidget* lista)
{
    lista->setSortingEnabled(false); // the module sorts; Qt's own header sort would fight it
    lista->header()->setSectionsClickable(true);
    QObject::connect(lista->header(), &QHeaderView::sectionClicked, lista,
                     [lista](int colonna) { OrdinaColonna(colonna, lista); });
}

QString IconaIntestazione(const QTreeWidget* lista, int colonna)
{
    return lista->headerItem()->data(colonna, RuoloIcona).toString();
}

void OrdinaColonna(int colonna, QTreeWidget* lista)
{
    if (colonna < 0 || colonna >= lista->columnCount())
        return;
    const QVariant colonnaData = lista->headerItem()->data(colonna, RuoloColonnaData);
    const int chiave = colonnaData.isValid() ? colonnaData.toInt() : colonna;

    const bool discendente = IconaIntestazione(lista, colonna) != QLatin1String("ZA");
    for (int c = 0; c < lista->columnCount(); ++c)
        if (c != colonna && !IconaIntestazione(lista, c).isEmpty())
            impostaIconaIntestazione(lista, c, QString());
    impostaIconaIntestazione(lista, colonna,
                             discendente ? QStringLiteral("ZA") : QStringLiteral("AZ"));

    lista->setProperty(ProprietaChiave, chiave);
    lista->setProperty(ProprietaDiscendente, discendente);
    lista->sortItems(chiave, discendente ? Qt::DescendingOrder : Qt::AscendingOrder);
}

QString IconaRiga(const QTreeWidgetItem* riga)
{
    return riga->data(0, RuoloStato).toString();
}

void CopiaSelezione(const QTreeWidget* lista, StatoListe& stato)
{
    stato.ValoriSelezionati = QStringList();
    for (qsizetype k = 0; k < std::max<qsizetype>(stato.ColonneRichieste.size(), 1); ++k)
        stato.ValoriSelezionati << QString();
    const QTreeWidgetItem* riga = rigaSelezionata(lista);
    if (!riga)
        return;
    const QTreeWidgetItem* intestazione = lista->headerItem();
    for (qsizetype k = 0; k < stato.ColonneRichieste.size(); ++k)
        for (int c = 0; c < lista->columnCount(); ++c)
            if (intestazione->text(c) == stato.ColonneRichieste[k])
                stato.ValoriSelezionati[k] = riga->text(c);
}

void SelezionaRiga(QTreeWidget* lista, const QString& valore, const QString& nomeColonna)
{
    const QTreeWidgetItem* intestazione = lista->headerItem();
    int colonna = -1;
    for (int c = 1; c < lista->columnCount() && colonna < 0; ++c)
        if (intestazione->text(c) == nomeColonna)
            colonna = c;
    if (colonna < 0)
        return;
    const bool singola = lista->selectionMode() == QAbstractItemView::SingleSelection;
    for (int r = 0; r < lista->topLevelItemCount(); ++r) {
        QTreeWidgetItem* riga = lista->topLevelItem(r);
        if (riga->text(colonna) != valore)
            continue;
        if (singola)
            lista->setCurrentItem(riga, colonnaCorrente(lista),
                                  QItemSelectionModel::ClearAndSelect);
        else
            riga->setSelected(true);
        lista->scrollToItem(riga);
    }
}
