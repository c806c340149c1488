#include "common/ui/FTAB.h"

#include "storage/Ricerche.h"
#include "common/ui/StatoListe.h"
#include "common/ui/Colori.h"
#include "common/ui/Finestre.h"
#include "common/ui/GestioneListView.h"
#include "common/ui/Messaggi.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

void coloraSfondo(QWidget* campo, const QColor& colore)
{
    QPalette tavolozza = campo->palette();
    tavolozza.setColor(QPalette::Base, colore);
    campo->setPalette(tavolozza);
}

QPushButton* pulsante(const QString& testo, const QString& nome, QWidget* padre)
{
    auto* p = new QPushButton(testo, padre);
    p->setObjectName(nome);
    // Enter never presses a button here: it picks the current row.
    p->setAutoDefault(false);
    p->setDefault(false);
    return p;
}

} // namespace

FTAB::FTAB(const Connessione& connessione, StatoListe& liste, const QString& titolo,
           const QString& testoRicercaIniziale, QWidget* padre)
    : QDialog(padre), m_connessione(connessione), m_liste(liste)
{
    setObjectName(QStringLiteral("FTAB"));
    setWindowTitle(QStringLiteral("Ricerca Tabelle"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    QPalette sfondo = palette();
    sfondo.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(sfondo);
    setAutoFillBackground(true);

    m_vtabella = new QLineEdit(titolo, this);
    m_vtabella->setObjectName(QStringLiteral("vtabella"));
    m_vtabella->setReadOnly(true);
    m_vtabella->setFocusPolicy(Qt::NoFocus);
    m_label2 = new QLabel(QStringLiteral("Ricerca all'interno della tabella"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_ricerca = new QLineEdit(this);
    m_ricerca->setObjectName(QStringLiteral("ricerca"));
    m_cerca = pulsante(QStringLiteral("Cerca"), QStringLiteral("BCerca"), this);
    m_annullaCerca = pulsante(QStringLiteral("Reset"), QStringLiteral("BAnnullaCerca"), this);
    m_annulla = pulsante(QStringLiteral("Chiudi"), QStringLiteral("BAnnulla"), this);
    m_lista = new QTreeWidget(this);
    m_lista->setObjectName(QStringLiteral("ListV"));
    m_lista->setMinimumSize(560, 320);
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    CollegaOrdinamento(m_lista);

    auto* riga = new QHBoxLayout;
    riga->addWidget(m_ricerca, 1);
    riga->addWidget(m_cerca);
    riga->addWidget(m_annullaCerca);
    auto* fondo = new QHBoxLayout;
    fondo->addStretch(1);
    fondo->addWidget(m_annulla);
    auto* colonna = new QVBoxLayout(this);
    colonna->addWidget(m_vtabella);
    colonna->addWidget(m_label2);
    colonna->addLayout(riga);
    colonna->addWidget(m_lista, 1);
    colonna->addLayout(fondo);
    colonna->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* w : {static_cast<QWidget*>(m_lista), static_cast<QWidget*>(m_cerca),
                       static_cast<QWidget*>(m_annullaCerca), static_cast<QWidget*>(m_annulla),
                       static_cast<QWidget*>(m_ricerca)})
        w->installEventFilter(this);

    connect(m_cerca, &QPushButton::clicked, this, &FTAB::Cerca);
    connect(m_annullaCerca, &QPushButton::clicked, this, &FTAB::AnnullaCerca);
    connect(m_annulla, &QPushButton::clicked, this, &FTAB::reject);
    connect(m_lista, &QTreeWidget::itemDoubleClicked, this, &FTAB::Scegli);

    // The opening text waits in the search box for "Cerca": the first fill
    // shows the whole list.
    m_ricerca->setText(testoRicercaIniziale);
    m_liste.FiltroLista.clear();
    adjustSize();
    Finestre::centra(this);
}

EsitoVuoto FTAB::Lista()
{
    m_liste.ColonneRichieste = QStringList{QString(), QString()};
    return RiempiLista(m_lista, m_liste, m_connessione);
}

void FTAB::Cerca()
{
    if (m_ricerca->text().isEmpty())
        return;
    m_liste.FiltroLista = m_ricerca->text();
    mostraErrore(Lista());
}

void FTAB::AnnullaCerca()
{
    m_ricerca->clear();
    m_liste.FiltroLista.clear();
    mostraErrore(Lista());
}

void FTAB::Scegli()
{
    m_liste.ColonneRichieste = ColonneDaRestituire(m_vtabella->text());
    CopiaSelezione(m_lista, m_liste);
    accept();
}

void FTAB::mostraErrore(const EsitoVuoto& esito)
{
    if (!esito)
        Messaggi::mostra(this, esito.errore(), QStringLiteral("Errore"), Messaggi::Icona::Critica);
}

bool FTAB::tastoDiScelta(QKeyEvent* evento)
{
    switch (evento->key()) {
    case Qt::Key_Escape:
        reject();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        Scegli();
        return true;
    default:
        return false;
    }
}

bool FTAB::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == m_ricerca) {
        // The search box is plain text input: Esc and Enter do nothing there
        // (Enter does not search), and only its colour follows the focus.
        if (evento->type() == QEvent::KeyPress) {
            const int tasto = static_cast<QKeyEvent*>(evento)->key();
            if (tasto == Qt::Key_Escape || tasto == Qt::Key_Return || tasto == Qt::Key_Enter)
                return true;
        }
        if (evento->type() == QEvent::FocusIn)
            coloraSfondo(m_ricerca, ColoreFocus);
        else if (evento->type() == QEvent::FocusOut)
            coloraSfondo(m_ricerca, ColoreNormale);
        return QDialog::eventFilter(oggetto, evento);
    }
    // The list and the buttons: Esc closes, Enter and Space pick, before the
    // widget itself acts on the key.
    if (evento->type() == QEvent::KeyPress && tastoDiScelta(static_cast<QKeyEvent*>(evento)))
        return true;
    return QDialog::eventFilter(oggetto, evento);
}

void FTAB::keyPressEvent(QKeyEvent* evento)
{
    if (!tastoDiScelta(evento))
        QDialog::keyPressEvent(evento);
}

void FTAB::mousePressEvent(QMouseEvent* evento)
{
    // A click on the window's own background, not on one of its controls.
    if (!childAt(evento->position().toPoint()))
        reject();
    else
        QDialog::mousePressEvent(evento);
}

void ApriRicerca(QLineEdit* primo, QLineEdit* secondo, const QString& tipo,
                 ContestoRicerca& contesto, QWidget* padre)
{
    const auto ricerca = DefinisciRicerca(tipo, contesto.codiceAgenzia);
    if (!ricerca)
        return;
    const QString testoIniziale = tipo == QLatin1String("COMUN") ? primo->text() : secondo->text();
    contesto.liste.SqlLista = ricerca->SqlLista;
    FTAB finestra(contesto.connessione, contesto.liste, ricerca->titolo, testoIniziale, padre);
    if (auto riempita = finestra.Lista(); !riempita) {
        Messaggi::mostra(padre, riempita.errore(), QStringLiteral("Errore"),
                         Messaggi::Icona::Critica);
        return;
    }
    if (finestra.exec() != QDialog::Accepted)
        return;
    const QStringList& valori = contesto.liste.ValoriSelezionati;
    if (!valori.value(0).trimmed().isEmpty())
        primo->setText(valori.value(0));
    if (!valori.value(1).trimmed().isEmpty())
        secondo->setText(valori.value(1));
}
