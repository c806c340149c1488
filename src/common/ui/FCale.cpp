#include "common/ui/FCale.h"

#include "base/Orologio.h"
#include "common/ui/Finestre.h"

#include <QEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <algorithm>

namespace {

constexpr int LatoCella = 36;
constexpr int AltezzaCella = 24;
constexpr int AltezzaIntestazione = 20;
constexpr int Colonne = 7;
constexpr int Righe = (FCale::Celle + Colonne - 1) / Colonne;
constexpr int Margine = 8;
constexpr int AltezzaListaMesi = 158;

QRect rettangoloCella(int indice)
{
    return QRect((indice % Colonne) * LatoCella,
                 AltezzaIntestazione + (indice / Colonne) * AltezzaCella, LatoCella, AltezzaCella);
}

// The month names are Italian whatever the machine's language, capitalised
// as a heading ("Gennaio").
QString nomeMese(int mese)
{
    static const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QString nome = italiano.standaloneMonthName(mese, QLocale::LongFormat);
    if (!nome.isEmpty())
        nome[0] = nome[0].toUpper();
    return nome;
}

QPushButton* pulsante(QWidget* padre, const char* nome, const QString& testo,
                      const QString& suggerimento)
{
    auto* bottone = new QPushButton(testo, padre);
    bottone->setObjectName(QLatin1String(nome));
    bottone->setToolTip(suggerimento);
    bottone->setAutoDefault(false);
    // The grid keeps the keyboard: Enter and Space pick the clicked day.
    bottone->setFocusPolicy(Qt::NoFocus);
    return bottone;
}

bool eClicSinistro(QEvent* evento, QWidget* su)
{
    if (evento->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(evento);
    return mouse->button() == Qt::LeftButton && su->rect().contains(mouse->position().toPoint());
}

} // namespace

FCale::FCale(QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("FCale"));
    setWindowTitle(QStringLiteral("Seleziona una data"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setModal(true);
    costruisci();

    const QDate oggi = Orologio::oggi();
    m_noPass = true;
    impostaAnno(oggi.year());
    m_lstMesi->setCurrentRow(oggi.month() - 1);
    m_giorno = oggi.day();
    disegnaMese();
    m_noPass = false;
}

void FCale::costruisci()
{
    const int larghezzaGriglia = Colonne * LatoCella;
    const int altezzaGriglia = AltezzaIntestazione + Righe * AltezzaCella;
    const int larghezza = larghezzaGriglia + 2 * Margine;

    m_precedente =
        pulsante(this, "Command2", QStringLiteral("<"), QStringLiteral("Decrementa Mesi "));
    m_precedente->setGeometry(Margine, Margine, 24, 24);

    m_lblMese = new QLabel(this);
    m_lblMese->setObjectName(QStringLiteral("lblMESE"));
    m_lblMese->setAlignment(Qt::AlignCenter);
    m_lblMese->setGeometry(Margine + 28, Margine, 92, 24);
    QFont grassetto = m_lblMese->font();
    grassetto.setBold(true);
    m_lblMese->setFont(grassetto);
    m_lblMese->installEventFilter(this);

    m_cmdMesi = pulsante(this, "cmdMESI", QStringLiteral("\u25BE"), QStringLiteral("Lista Mesi "));
    m_cmdMesi->setGeometry(Margine + 122, Margine, 20, 24);

    m_lblAnno = new QLabel(this);
    m_lblAnno->setObjectName(QStringLiteral("lblANNO"));
    m_lblAnno->setAlignment(Qt::AlignCenter);
    m_lblAnno->setToolTip(QStringLiteral("Riporta all'Anno Corrente"));
    m_lblAnno->setFont(grassetto);
    m_lblAnno->setGeometry(Margine + 146, Margine, 48, 24);
    m_lblAnno->installEventFilter(this);

    m_vScroll = new QScrollBar(Qt::Vertical, this);
    m_vScroll->setObjectName(QStringLiteral("VScroll1"));
    m_vScroll->setRange(-AnnoMassimo, -AnnoMinimo);
    m_vScroll->setPageStep(10);
    m_vScroll->setGeometry(Margine + 196, Margine, 20, 24);

    m_successivo =
        pulsante(this, "Command3", QStringLiteral(">"), QStringLiteral("Incrementa Mesi "));
    m_successivo->setGeometry(larghezza - Margine - 24, Margine, 24, 24);

    m_pctCal = new QFrame(this);
    m_pctCal->setObjectName(QStringLiteral("pctCAL"));
    m_pctCal->setGeometry(Margine, Margine + 32, larghezzaGriglia, altezzaGriglia);
    m_pctCal->setFocusPolicy(Qt::StrongFocus);
    m_pctCal->installEventFilter(this);

    static const char* const Settimana[Colonne] = {"Lu", "Ma", "Me", "Gi", "Ve", "Sa", "Do"};
    for (int c = 0; c < Colonne; ++c) {
        auto* intestazione = new QLabel(QLatin1String(Settimana[c]), m_pctCal);
        intestazione->setAlignment(Qt::AlignCenter);
        intestazione->setGeometry(c * LatoCella, 0, LatoCella, AltezzaIntestazione);
    }

    QFont fontCella = font();
    fontCella.setPointSize(10);
    fontCella.setBold(true);
    for (int i = 0; i < Celle; ++i) {
        auto* cella = new QLabel(m_pctCal);
        cella->setObjectName(QStringLiteral("G%1").arg(i));
        cella->setAlignment(Qt::AlignCenter);
        cella->setFont(fontCella);
        cella->setAutoFillBackground(true);
        cella->setBackgroundRole(QPalette::Base);
        cella->setGeometry(rettangoloCella(i));
        cella->installEventFilter(this);
        m_celle[static_cast<std::size_t>(i)] = cella;
    }

    m_cornice = new QFrame(m_pctCal);
    m_cornice->setObjectName(QStringLiteral("Shape1"));
    m_cornice->setFrameShape(QFrame::Box);
    m_cornice->setLineWidth(2);
    m_cornice->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_cornice->raise();

    const int sotto = m_pctCal->geometry().bottom() + 6;
    m_myDate = new QLabel(this);
    m_myDate->setObjectName(QStringLiteral("MyDate"));
    m_myDate->setFrameShape(QFrame::StyledPanel);
    m_myDate->setAlignment(Qt::AlignCenter);
    m_myDate->setGeometry(Margine, sotto, 96, 22);
    m_myDate->installEventFilter(this);

    auto* suggerimento = new QLabel(QStringLiteral("Scegli con doppio click"), this);
    suggerimento->setObjectName(QStringLiteral("Label1"));
    suggerimento->setGeometry(Margine + 104, sotto, larghezzaGriglia - 104, 22);

    m_lstMesi = new QListWidget(this);
    m_lstMesi->setObjectName(QStringLiteral("lstMESI"));
    for (int mese = 1; mese <= 12; ++mese)
        m_lstMesi->addItem(nomeMese(mese));
    // Tall enough for the twelve months without scrolling.
    const int altezzaLista =
        std::max(AltezzaListaMesi, 12 * m_lstMesi->sizeHintForRow(0) + 2 * m_lstMesi->frameWidth());
    m_lstMesi->setGeometry(Margine + 28, Margine + 24, 114, altezzaLista);
    m_lstMesi->hide();

    setFixedSize(larghezza, sotto + 22 + Margine);

    connect(m_precedente, &QPushButton::clicked, this, &FCale::mesePrecedente);
    connect(m_successivo, &QPushButton::clicked, this, &FCale::meseSuccessivo);
    connect(m_cmdMesi, &QPushButton::clicked, this, &FCale::scambiaListaMesi);
    connect(m_lstMesi, &QListWidget::currentRowChanged, this, &FCale::mostraMese);
    // Clicking the month already shown still closes the list.
    connect(m_lstMesi, &QListWidget::itemClicked, m_lstMesi, &QWidget::hide);
    connect(m_lstMesi, &QListWidget::itemActivated, m_lstMesi, &QWidget::hide);
    connect(m_vScroll, &QScrollBar::valueChanged, this, &FCale::cambiaAnno);
}

int FCale::mese() const
{
    return m_lstMesi->currentRow() + 1;
}

int FCale::anno() const
{
    return -m_vScroll->value();
}

void FCale::impostaAnno(int nuovo)
{
    m_vScroll->setValue(-nuovo);
    // setValue emits nothing when the value stays; the label must show it anyway.
    m_lblAnno->setText(QString::number(anno()));
}

void FCale::cambiaAnno(int /*valore*/)
{
    m_lblAnno->setText(QString::number(anno()));
    if (!m_noPass)
        disegnaMese();
}

void FCale::mostraMese(int indice)
{
    if (indice < 0)
        return;
    m_lblMese->setText(m_lstMesi->item(indice)->text());
    m_lstMesi->hide();
    if (!m_noPass)
        disegnaMese();
}

void FCale::mesePrecedente()
{
    if (mese() > 1) {
        m_lstMesi->setCurrentRow(mese() - 2);
    } else if (anno() > AnnoMinimo) {
        impostaAnno(anno() - 1);
        m_lstMesi->setCurrentRow(11);
    }
}

void FCale::meseSuccessivo()
{
    if (mese() < 12) {
        m_lstMesi->setCurrentRow(mese());
    } else if (anno() < AnnoMassimo) {
        impostaAnno(anno() + 1);
        m_lstMesi->setCurrentRow(0);
    }
}

void FCale::scambiaListaMesi()
{
    if (m_lstMesi->isVisible()) {
        m_lstMesi->hide();
        return;
    }
    m_lstMesi->show();
    m_lstMesi->raise();
    m_lstMesi->setFocus();
}

void FCale::disegnaMese()
{
    const QDate primo(anno(), mese(), 1);
    m_giorniMese = primo.daysInMonth();
    m_scarto = primo.dayOfWeek() - 1; // Monday 0 ... Sunday 6

    for (QLabel* cella : m_celle) {
        cella->clear();
        cella->setBackgroundRole(QPalette::Window);
        cella->unsetCursor();
    }
    for (int giorno = 1; giorno <= m_giorniMese; ++giorno) {
        QLabel* cella = m_celle[static_cast<std::size_t>(m_scarto + giorno - 1)];
        cella->setText(QString::number(giorno));
        cella->setBackgroundRole(QPalette::Base);
        cella->setCursor(Qt::PointingHandCursor);
    }
    // The frame stays on the same day number in every month; past the month's
    // last day it marks a blank cell.
    posizionaCornice(m_giorno + m_scarto - 1);
}

void FCale::posizionaCornice(int indiceCella)
{
    const int indice = std::clamp(indiceCella, 0, Celle - 1);
    m_cornice->setGeometry(rettangoloCella(indice));
    m_cornice->raise();
}

int FCale::giornoDellaCella(int indice) const
{
    const int giorno = indice - m_scarto + 1;
    return (giorno >= 1 && giorno <= m_giorniMese) ? giorno : 0;
}

void FCale::clicSuCella(int indice)
{
    const int giorno = giornoDellaCella(indice);
    if (giorno == 0)
        return;
    posizionaCornice(indice);
    m_myDate->setText(QDate(anno(), mese(), giorno).toString(QStringLiteral("dd/MM/yyyy")));
}

void FCale::doppioClicSuCella(int indice)
{
    if (giornoDellaCella(indice) == 0)
        return;
    clicSuCella(indice);
    chiudiCon(m_myDate->text());
}

void FCale::chiudiCon(const QString& data)
{
    m_dataScelta = data;
    accept();
}

void FCale::reject()
{
    m_dataScelta.clear();
    QDialog::reject();
}

void FCale::showEvent(QShowEvent* evento)
{
    QDialog::showEvent(evento);
    Finestre::centra(this);
    m_pctCal->setFocus(Qt::OtherFocusReason);
}

bool FCale::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == m_pctCal && evento->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(evento)->key()) {
        case Qt::Key_Escape:
            chiudiCon(QString());
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            chiudiCon(m_myDate->text());
            return true;
        default:
            return false;
        }
    }

    auto* widget = qobject_cast<QWidget*>(oggetto);
    if (!widget)
        return QDialog::eventFilter(oggetto, evento);

    const auto cella = std::find(m_celle.begin(), m_celle.end(), widget);
    if (cella != m_celle.end()) {
        const int indice = static_cast<int>(cella - m_celle.begin());
        if (evento->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
            doppioClicSuCella(indice);
            return true;
        }
        if (eClicSinistro(evento, widget)) {
            clicSuCella(indice);
            return true;
        }
        return false;
    }

    if (eClicSinistro(evento, widget)) {
        if (widget == m_lblMese) {
            scambiaListaMesi();
            return true;
        }
        if (widget == m_lblAnno) {
            impostaAnno(Orologio::oggi().year());
            return true;
        }
        if (widget == m_myDate) {
            m_pctCal->setVisible(!m_pctCal->isVisible());
            return true;
        }
    }
    return QDialog::eventFilter(oggetto, evento);
}
