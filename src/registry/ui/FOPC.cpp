#include "registry/ui/FOPC.h"

#include "base/Orologio.h"
#include "common/ui/CampoData.h"
#include "common/ui/Colori.h"
#include "common/ui/DialoghiFile.h"
#include "common/ui/Documenti.h"
#include "common/ui/FTAB.h"
#include "common/ui/GestioneListView.h"
#include "common/ui/Messaggi.h"
#include "common/ui/SegnalaErrore.h"
#include "communication/ComunicazioneInDisparte.h"
#include "communication/CreaVuota.h"
#include "communication/LeggiFoglio.h"
#include "communication/ui/FCsv.h"
#include "communication/ui/FRapporto.h"
#include "history/StoricoInvii.h"
#include "history/ui/FStorico.h"
#include "history/ui/StrisciaMesi.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/CartelleAgenzia.h"
#include "registry/ControllaAgenzia.h"
#include "registry/ElencoComuni.h"
#include "registry/ui/CampiLuogo.h"
#include "shell/Ambiente.h"
#include "shell/Cartelle.h"
#include "shell/Versione.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
// The proposed name in the agency's remembered folder; the bare name, which
// the dialog places in the working folder, when none is remembered.
QString nellaCartella(const QString& cartella, const QString& nome)
{
    return cartella.isEmpty() ? nome : QDir(cartella).filePath(nome);
}

// The one local sheet a drag carries, or nothing: a clerk drops the month's
// workbook or CSV from the file manager onto the window.
QString foglioTrascinato(const QMimeData* dati)
{
    if (!dati || !dati->hasUrls() || dati->urls().size() != 1 ||
        !dati->urls().first().isLocalFile())
        return {};
    const QString file = dati->urls().first().toLocalFile();
    const QString estensione = QFileInfo(file).suffix().toUpper();
    const bool foglio =
        estensione.startsWith(QLatin1String("XLS")) || estensione == QLatin1String("CSV");
    return foglio && QFileInfo(file).isFile() ? file : QString();
}

const QString kSuggerimentoCodice =
    QStringLiteral("Indicare il codice fiscale con cui ci si è registrati nel portale OAM");

void colora(QWidget* campo, const QColor& sfondo)
{
    QPalette tavolozza = campo->palette();
    tavolozza.setColor(QPalette::Base, sfondo);
    campo->setPalette(tavolozza);
}

QToolButton* pulsanteRicerca(QWidget* padre, const char* nome, const QString& suggerimento)
{
    auto* pulsante = new QToolButton(padre);
    pulsante->setObjectName(QString::fromLatin1(nome));
    pulsante->setToolTip(suggerimento);
    pulsante->setIcon(padre->style()->standardIcon(QStyle::SP_FileDialogContentsView));
    pulsante->setFocusPolicy(Qt::NoFocus);
    return pulsante;
}

} // namespace

FOPC::FOPC(Ambiente& ambiente, QWidget* padre) : QWidget(padre), m_ambiente(ambiente)
{
    setObjectName(QStringLiteral("FOPC"));
    setWindowTitle(QStringLiteral("Elenco Agenzie di Cambio"));
    setAcceptDrops(true);
    m_comuni = std::make_unique<ElencoComuni>(ambiente.db());
    m_ricerca =
        std::make_unique<ContestoRicerca>(ContestoRicerca{ambiente.db(), m_liste, QString()});
    creaCampi();
    m_ambiente.formAttivo = QStringLiteral("FOPC");
    impostaPeriodo();
    m_CmbTI->setEditText(m_CmbTI->currentText().toUpper() + QLatin1Char(' '));
    Lista();
}

FOPC::~FOPC() = default;

QLineEdit* FOPC::campo(const char* nome, int lunghezza, const QString& suggerimento)
{
    auto* c = new QLineEdit(this);
    c->setObjectName(QString::fromLatin1(nome));
    if (lunghezza > 0)
        c->setMaxLength(lunghezza);
    c->setToolTip(suggerimento);
    c->installEventFilter(this);
    return c;
}

QComboBox* FOPC::tendina(const char* nome, const QStringList& voci)
{
    auto* c = new QComboBox(this);
    c->setObjectName(QString::fromLatin1(nome));
    c->setEditable(true);
    c->addItems(voci);
    c->setCurrentIndex(0);
    c->installEventFilter(this);
    return c;
}

void FOPC::creaCampi()
{
    // Created in the order the Tab key walks them.
    m_tOCOD = campo("tOCOD", 16, kSuggerimentoCodice);
    m_o1 = new QRadioButton(QStringLiteral("PNF"), this);
    m_o1->setObjectName(QStringLiteral("o1"));
    m_o1->setToolTip(QStringLiteral("PNF=Persona Non Fisica (società)"));
    m_o2 = new QRadioButton(QStringLiteral("PF"), this);
    m_o2->setObjectName(QStringLiteral("o2"));
    m_o2->setToolTip(QStringLiteral("PF=Persona Fisica"));
    m_vOCF = campo("vOCF", 16, kSuggerimentoCodice);
    m_vOCF->hide();
    m_vOPIVA = campo("vOPIVA", 11, QStringLiteral("Indicare la partita iva "));
    m_torag = campo("torag", 70);
    const QString soloComune =
        QStringLiteral("Indicare SOLO il comune (es. Mlano), non l'indirizzo completo");
    const QString comunitario = QStringLiteral("Indicare se il soggetto è COMUNITARIO");
    m_vOSCOM = campo("vOSCOM", 40, soloComune);
    m_vOSPRO = campo("vOSPRO", 2);
    m_vOSOCOM = campo("vOSOCOM", 40, comunitario);
    m_vOSOPRO = campo("vOSOPRO", 2, comunitario);
    m_vOCOG = campo("vOCOG", 30);
    m_vONOME = campo("vONOME", 30);
    m_vOSEX = tendina("vOSEX", {QStringLiteral("M"), QStringLiteral("F")});
    m_vONDT = campo("vONDT", 26);
    m_vONCOM = campo("vONCOM", 40);
    m_vONPRO = campo("vONPRO", 2);
    m_vOCITTAD =
        tendina("vOCITTAD", {QStringLiteral("01=Italiana"), QStringLiteral("02=Comunitaria"),
                             QStringLiteral("03=ExtraComunitaria")});
    m_vODCOM = campo("vODCOM", 40);
    m_vODPRO = campo("vODPRO", 2);
    m_vANNO = campo("vANNO", 26);
    m_vMESE = campo("vMESE", 26);
    m_CmbTI = tendina("CmbTI",
                      {QStringLiteral("0=Invio ORDINARIO"), QStringLiteral("1=Invio SOSTITUTIVO")});
    m_PERC = campo("PERC", 0);
    m_PERC->setReadOnly(true);
    m_PERC->setFocusPolicy(Qt::NoFocus);
    for (QLineEdit* centrato :
         {m_vOSPRO, m_vOSOPRO, m_vONDT, m_vONPRO, m_vODPRO, m_vANNO, m_vMESE, m_PERC})
        centrato->setAlignment(Qt::AlignCenter);
    // Codes are short: their fields need not stretch across the window.
    const int larghezzaCodice = fontMetrics().horizontalAdvance(QString(19, QLatin1Char('W')));
    for (QLineEdit* codice : {m_tOCOD, m_vOPIVA, m_vONDT})
        codice->setMaximumWidth(larghezzaCodice);
    QWidget* ordine[] = {m_tOCOD,   m_o1,       m_o2,     m_vOPIVA, m_torag, m_vOSCOM, m_vOSPRO,
                         m_vOSOCOM, m_vOSOPRO,  m_vOCOG,  m_vONOME, m_vOSEX, m_vONDT,  m_vONCOM,
                         m_vONPRO,  m_vOCITTAD, m_vODCOM, m_vODPRO, m_vANNO, m_vMESE,  m_CmbTI};
    for (size_t i = 1; i < std::size(ordine); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);

    m_luoghi = std::make_unique<CampiLuogo>(CampiLuogo{m_vOSCOM, m_vOSPRO, m_vOSOCOM, m_vOSOPRO,
                                                       m_vONCOM, m_vONPRO, m_vODCOM, m_vODPRO});
    CollegaCampiLuogo(*m_luoghi, *m_comuni);

    auto* divisore = new QSplitter(Qt::Horizontal, this);
    divisore->addWidget(creaElenco());
    auto* destra = new QWidget(divisore);
    auto* colonna = new QVBoxLayout(destra);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->addWidget(creaAgenzia());
    colonna->addWidget(creaComunicazione());
    colonna->addStretch();
    divisore->addWidget(destra);
    divisore->setStretchFactor(0, 2);
    divisore->setStretchFactor(1, 3);
    divisore->setSizes({460, 800});
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(divisore);

    connect(m_o1, &QRadioButton::toggled, this, &FOPC::mostraTipo);
    m_o1->setChecked(true);
    mostraTipo();
}

QWidget* FOPC::creaElenco()
{
    m_LVOpe = new QTreeWidget(this);
    m_LVOpe->setObjectName(QStringLiteral("LVOpe"));
    m_LVOpe->setRootIsDecorated(false);
    m_LVOpe->setAllColumnsShowFocus(true);
    m_LVOpe->setSelectionMode(QAbstractItemView::SingleSelection);
    m_LVOpe->installEventFilter(this);
    CollegaOrdinamento(m_LVOpe);
    connect(m_LVOpe, &QTreeWidget::itemClicked, this, [this] { LVOpe_Click(); });
    m_comandi << m_LVOpe;
    return m_LVOpe;
}

QWidget* FOPC::creaAgenzia()
{
    auto* riquadro = new QGroupBox(
        QStringLiteral("AGENZIA DI CAMBIO A CUI SI RIFERISCE LA COMUNICAZIONE"), this);
    riquadro->setObjectName(QStringLiteral("FrameAgenzia"));
    auto* griglia = new QGridLayout(riquadro);
    griglia->addWidget(new QLabel(QStringLiteral("Codice Fiscale"), riquadro), 0, 0);
    griglia->addWidget(m_tOCOD, 0, 1);
    auto* tipo = new QHBoxLayout;
    tipo->addWidget(new QLabel(QStringLiteral("Tipo "), riquadro));
    tipo->addWidget(m_o1);
    tipo->addWidget(m_o2);
    tipo->addStretch();
    griglia->addLayout(tipo, 0, 2, 1, 2);
    griglia->addWidget(new QLabel(QStringLiteral("Partita IVA"), riquadro), 1, 0);
    griglia->addWidget(m_vOPIVA, 1, 1);

    const auto coppia = [](QGridLayout* g, int riga, const QString& etichetta, QLineEdit* comune,
                           QLineEdit* provincia, QToolButton* ricerca) {
        g->addWidget(new QLabel(etichetta), riga, 0);
        auto* linea = new QHBoxLayout;
        linea->addWidget(comune, 1);
        if (ricerca)
            linea->addWidget(ricerca);
        linea->addWidget(new QLabel(QStringLiteral("Prov.")));
        provincia->setMaximumWidth(48);
        linea->addWidget(provincia);
        g->addLayout(linea, riga, 1, 1, 3);
    };

    m_framePNF = new QGroupBox(riquadro);
    m_framePNF->setObjectName(QStringLiteral("FramePNF"));
    auto* pnf = new QGridLayout(m_framePNF);
    pnf->addWidget(new QLabel(QStringLiteral("Ragione Sociale"), m_framePNF), 0, 0);
    pnf->addWidget(m_torag, 0, 1, 1, 3);
    auto* rloc = pulsanteRicerca(this, "RLOC", QStringLiteral("Ricerca"));
    auto* pulsante3 = pulsanteRicerca(this, "rloca3", QStringLiteral("Ricerca"));
    coppia(pnf, 1, QStringLiteral("Sede legale (Località)"), m_vOSCOM, m_vOSPRO, rloc);
    coppia(pnf, 2, QStringLiteral("Comune Stabile Organizzazione "), m_vOSOCOM, m_vOSOPRO,
           pulsante3);

    m_framePF = new QGroupBox(riquadro);
    m_framePF->setObjectName(QStringLiteral("FramePF"));
    auto* pf = new QGridLayout(m_framePF);
    pf->addWidget(new QLabel(QStringLiteral("Cognome"), m_framePF), 0, 0);
    pf->addWidget(m_vOCOG, 0, 1, 1, 3);
    pf->addWidget(new QLabel(QStringLiteral("Nome"), m_framePF), 1, 0);
    pf->addWidget(m_vONOME, 1, 1, 1, 3);
    pf->addWidget(new QLabel(QStringLiteral("Sesso"), m_framePF), 2, 0);
    auto* sessoData = new QHBoxLayout;
    m_vOSEX->setMaximumWidth(60);
    sessoData->addWidget(m_vOSEX);
    sessoData->addSpacing(16);
    sessoData->addWidget(new QLabel(QStringLiteral("Data di nascita"), m_framePF));
    sessoData->addWidget(m_vONDT);
    auto* rdata = pulsanteRicerca(this, "rdata", QStringLiteral("Calendario "));
    rdata->setIcon(style()->standardIcon(QStyle::SP_FileDialogInfoView));
    sessoData->addWidget(rdata);
    sessoData->addStretch();
    pf->addLayout(sessoData, 2, 1, 1, 3);
    auto* pulsante1 = pulsanteRicerca(this, "rloca1", QStringLiteral("Ricerca"));
    auto* pulsante2 = pulsanteRicerca(this, "rloca2", QStringLiteral("Ricerca"));
    coppia(pf, 3, QStringLiteral("Comune o Stato Estero di nascita"), m_vONCOM, m_vONPRO,
           pulsante1);
    pf->addWidget(new QLabel(QStringLiteral("Cittadinanza"), m_framePF), 4, 0);
    pf->addWidget(m_vOCITTAD, 4, 1);
    coppia(pf, 5, QStringLiteral("Domicilio (in Italia)"), m_vODCOM, m_vODPRO, pulsante2);

    griglia->addWidget(m_framePNF, 2, 0, 1, 4);
    griglia->addWidget(m_framePF, 3, 0, 1, 4);
    griglia->setColumnStretch(3, 1);

    auto* registra = new QPushButton(QStringLiteral("Registra dati Agenzia"), riquadro);
    registra->setObjectName(QStringLiteral("Cmd_Conferma"));
    auto* chiudi = new QPushButton(QStringLiteral("Chiudi Programma"), riquadro);
    chiudi->setObjectName(QStringLiteral("bAnnulla"));
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addStretch();
    pulsanti->addWidget(registra);
    pulsanti->addWidget(chiudi);
    griglia->addLayout(pulsanti, 4, 0, 1, 4);

    connect(registra, &QPushButton::clicked, this, &FOPC::Conferma);
    connect(chiudi, &QPushButton::clicked, qApp, [] { QApplication::exit(0); });
    connect(rdata, &QToolButton::clicked, this, [this] {
        ScegliData(m_vONDT);
        m_vONDT->setFocus();
    });
    connect(rloc, &QToolButton::clicked, this, [this] { RLOC(*m_luoghi, *m_ricerca, this); });
    connect(pulsante1, &QToolButton::clicked, this,
            [this] { rloca1(*m_luoghi, *m_ricerca, this); });
    connect(pulsante2, &QToolButton::clicked, this,
            [this] { rloca2(*m_luoghi, *m_ricerca, this); });
    connect(pulsante3, &QToolButton::clicked, this,
            [this] { rloca3(*m_luoghi, *m_ricerca, this); });
    m_comandi << riquadro;
    return riquadro;
}

QWidget* FOPC::creaComunicazione()
{
    auto* riquadro = new QGroupBox(QStringLiteral(" Comunicazione da Creare"), this);
    riquadro->setObjectName(QStringLiteral("FrameComunicazione"));
    auto* griglia = new QGridLayout(riquadro);
    griglia->addWidget(new QLabel(QStringLiteral("Anno"), riquadro), 0, 0);
    m_vANNO->setMaximumWidth(80);
    griglia->addWidget(m_vANNO, 0, 1);
    griglia->addWidget(new QLabel(QStringLiteral("Mese"), riquadro), 0, 2);
    m_vMESE->setMaximumWidth(60);
    griglia->addWidget(m_vMESE, 0, 3);
    griglia->addWidget(new QLabel(QStringLiteral("Tipologia di INVIO"), riquadro), 0, 4);
    griglia->addWidget(m_CmbTI, 0, 5);
    griglia->setColumnStretch(5, 1);
    griglia->addLayout(creaStorico(riquadro), 1, 0, 1, 6);

    auto* elaExcel =
        new QPushButton(QStringLiteral("Crea Comunicazione\n(con dati da Foglio Excel)"), riquadro);
    elaExcel->setObjectName(QStringLiteral("ElaExcel"));
    auto* vuota = new QPushButton(QStringLiteral("Crea Comunicazione VUOTA"), riquadro);
    vuota->setObjectName(QStringLiteral("cVUOTA"));
    vuota->setMinimumHeight(elaExcel->sizeHint().height());
    auto* comandi = new QHBoxLayout;
    comandi->addWidget(elaExcel, 1);
    comandi->addWidget(vuota, 1);
    griglia->addLayout(comandi, 2, 0, 1, 6);
    m_Label5 = new QLabel(QStringLiteral("Riga in elaborazione.."), riquadro);
    m_Label5->setObjectName(QStringLiteral("Label5"));
    griglia->addWidget(m_Label5, 3, 0, 1, 3);
    griglia->addWidget(m_PERC, 3, 3, 1, 2);
    // How far the run is, as its reader can tell (see LettoreFoglio::quotaLetta);
    // a busy bar when it cannot.
    m_avanzamento = new QProgressBar(riquadro);
    m_avanzamento->setObjectName(QStringLiteral("Avanzamento"));
    m_avanzamento->setTextVisible(false);
    griglia->addWidget(m_avanzamento, 3, 5);
    m_interrompi = new QPushButton(QStringLiteral("Interrompi"), riquadro);
    m_interrompi->setObjectName(QStringLiteral("Interrompi"));
    griglia->addWidget(m_interrompi, 4, 5);
    m_Label5->hide();
    m_PERC->hide();
    m_avanzamento->hide();
    m_interrompi->hide();
    connect(m_interrompi, &QPushButton::clicked, this, &FOPC::interrompi);
    connect(elaExcel, &QPushButton::clicked, this, &FOPC::ElaExcel);
    connect(vuota, &QPushButton::clicked, this, &FOPC::cVUOTA);
    m_comandi << elaExcel << vuota << m_vANNO << m_vMESE << m_CmbTI;
    return riquadro;
}

QLayout* FOPC::creaStorico(QWidget* riquadro)
{
    m_mesi = new StrisciaMesi(riquadro);
    m_storico = new QPushButton(QStringLiteral("Storico invii"), riquadro);
    m_storico->setObjectName(QStringLiteral("cStorico"));
    connect(m_storico, &QPushButton::clicked, this, [this] {
        MostraStorico(m_ambiente.db(), agenziaMostrata(), m_ambiente.agenziaCorrente.nome, this);
    });
    connect(m_vANNO, &QLineEdit::textChanged, this, &FOPC::AggiornaMesi);
    auto* fila = new QHBoxLayout;
    fila->addWidget(m_mesi, 1);
    fila->addWidget(m_storico);
    return fila;
}

// A code that can still be edited belongs to an agency not saved yet, which
// has no history.
QString FOPC::agenziaMostrata() const
{
    return m_tOCOD->isEnabled() ? QString() : m_tOCOD->text().trimmed();
}

void FOPC::AggiornaMesi()
{
    const QString agenzia = agenziaMostrata();
    bool numero = false;
    const int anno = m_vANNO->text().trimmed().toInt(&numero);
    m_storico->setEnabled(!agenzia.isEmpty());
    if (agenzia.isEmpty() || !numero || anno < 1000 || anno > 9999) {
        m_mesi->spegni();
        return;
    }
    if (auto mostrata = m_mesi->mostra(m_ambiente.db(), agenzia, anno); !mostrata)
        Messaggi::mostra(this, mostrata.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Critica);
}

void FOPC::ScegliPeriodo(int anno, int mese)
{
    m_vANNO->setText(QString::number(anno));
    m_vMESE->setText(QStringLiteral("%1").arg(mese, 2, 10, QLatin1Char('0')));
}

bool FOPC::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == m_LVOpe && evento->type() == QEvent::KeyRelease) {
        const int tasto = static_cast<QKeyEvent*>(evento)->key();
        if (tasto == Qt::Key_Up || tasto == Qt::Key_Down)
            LVOpe_Click();
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(oggetto);
    const bool senzaColore = widget == m_vOCITTAD || widget == m_vODPRO || widget == m_vOCF;
    if (widget && evento->type() == QEvent::FocusIn && !senzaColore)
        colora(widget, ColoreFocus);
    if (widget && evento->type() == QEvent::FocusOut) {
        if (!senzaColore)
            colora(widget, ColoreNormale);
        if (widget == m_tOCOD)
            tOCOD_LostFocus();
        else if (widget == m_vONDT)
            vONDT_LostFocus();
    }
    return QWidget::eventFilter(oggetto, evento);
}

void FOPC::closeEvent(QCloseEvent* evento)
{
    if (m_occupato)
        evento->ignore();
    else
        QWidget::closeEvent(evento);
}

void FOPC::dragEnterEvent(QDragEnterEvent* evento)
{
    if (!m_occupato && !foglioTrascinato(evento->mimeData()).isEmpty())
        evento->acceptProposedAction();
}

void FOPC::dropEvent(QDropEvent* evento)
{
    const QString foglio = foglioTrascinato(evento->mimeData());
    if (foglio.isEmpty())
        return;
    evento->acceptProposedAction();
    // After the drop has finished, so the file manager is not kept waiting
    // through the dialogs and the run.
    QTimer::singleShot(0, this, [this, foglio] { elaboraFoglio(foglio); });
}

void FOPC::tOCOD_LostFocus()
{
    m_tOCOD->setText(m_tOCOD->text().toUpper());
    m_vOCF->setText(m_tOCOD->text());
}

void FOPC::vONDT_LostFocus()
{
    m_vONDT->setText(m_vONDT->text().trimmed());
    if (!m_vONDT->text().isEmpty())
        ControllaCampoData(m_vONDT);
}

void FOPC::impostaPeriodo()
{
    const Periodo periodo = periodoPredefinito(Orologio::oggi());
    m_vANNO->setText(periodo.anno);
    m_vMESE->setText(periodo.mese);
}

void FOPC::mostraTipo()
{
    const bool persona = m_o2->isChecked();
    m_framePF->setVisible(persona);
    m_framePNF->setVisible(!persona);
}

void FOPC::Lista()
{
    m_liste.SqlLista = ArchivioAgenzie::sqlElenco();
    m_liste.ColonneRichieste = QStringList{QString()};
    if (auto riempita = RiempiLista(m_LVOpe, m_liste, m_ambiente.db()); !riempita)
        Messaggi::mostra(this, riempita.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Critica);
    LVOpe_Click();
}

void FOPC::LVOpe_Click()
{
    const QString colonna = QStringLiteral("Codice_Fiscale");
    m_liste.ColonneRichieste = QStringList{colonna};
    if (!m_ambiente.agenziaCorrente.daRiselezionare.isEmpty()) {
        m_codice = m_ambiente.agenziaCorrente.daRiselezionare;
        SelezionaRiga(m_LVOpe, m_codice, colonna);
        m_ambiente.agenziaCorrente.daRiselezionare.clear();
    } else {
        CopiaSelezione(m_LVOpe, m_liste);
        m_codice = m_liste.ValoriSelezionati.value(0);
        SelezionaRiga(m_LVOpe, m_codice, colonna);
    }
    m_codice = m_codice.trimmed();
    Dettaglio();
}

void FOPC::Dettaglio()
{
    const auto letta = ArchivioAgenzie::carica(m_ambiente.db(), m_codice);
    if (!letta) {
        Messaggi::mostra(this, letta.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Critica);
        return;
    }
    if (!letta.valore()) {
        Aggiungi();
        m_tOCOD->setEnabled(true);
        pubblicaAgenzia();
        return;
    }
    const Agenzia& a = *letta.valore();
    m_torag->setText(a.orag);
    m_tOCOD->setText(a.ocod);
    m_tOCOD->setEnabled(false);
    m_vOCF->setText(a.ocf);
    m_vOPIVA->setText(a.opiva);
    if (a.personaFisica()) {
        m_vOCOG->setText(a.ocog);
        m_vONOME->setText(a.onome);
        m_vOSEX->setEditText(a.osex);
        m_vONDT->setText(a.ondt);
        m_vONCOM->setText(a.oncom);
        m_vONPRO->setText(a.onpro);
        m_vODCOM->setText(a.odcom);
        m_vODPRO->setText(a.odpro);
        m_vOCITTAD->setEditText(a.ocittad);
        m_o2->setChecked(true);
        m_torag->setText(m_vOCOG->text() + QLatin1Char(' ') + m_vONOME->text());
    } else {
        m_vOSCOM->setText(a.oscom);
        m_vOSPRO->setText(a.ospro);
        m_vOSOCOM->setText(a.osocom);
        m_vOSOPRO->setText(a.osopro);
        m_o1->setChecked(true);
    }
    mostraTipo();
    pubblicaAgenzia();
}

void FOPC::pubblicaAgenzia()
{
    m_ambiente.agenziaCorrente.codice = m_tOCOD->text().trimmed();
    m_ambiente.agenziaCorrente.nome = agenziaDaiCampi().nomeVisualizzato();
    m_ricerca->codiceAgenzia = m_ambiente.agenziaCorrente.codice;
    AggiornaMesi();
}

void FOPC::PulisciCampi()
{
    for (QLineEdit* campoTesto : findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(campoTesto->parentWidget()))
            campoTesto->clear();
    }
}

void FOPC::Aggiungi()
{
    m_o1->setChecked(true);
    mostraTipo();
    PulisciCampi();
    m_tOCOD->setEnabled(true);
    m_tOCOD->setFocus();
    impostaPeriodo();
}

void FOPC::TogliSpaziIniziali()
{
    const auto senzaSpazi = [](const QString& testo) {
        qsizetype i = 0;
        while (i < testo.size() && testo.at(i) == QLatin1Char(' '))
            ++i;
        return testo.mid(i);
    };
    for (QLineEdit* c : findChildren<QLineEdit*>())
        c->setText(senzaSpazi(c->text()));
}

Agenzia FOPC::agenziaDaiCampi() const
{
    Agenzia a;
    a.ocod = m_tOCOD->text();
    a.ocf = m_vOCF->text();
    a.opiva = m_vOPIVA->text();
    a.orag = m_torag->text();
    a.ostp = m_o2->isChecked() ? QStringLiteral("F") : QStringLiteral("G");
    a.oscom = m_vOSCOM->text();
    a.ospro = m_vOSPRO->text();
    a.osocom = m_vOSOCOM->text();
    a.osopro = m_vOSOPRO->text();
    a.ocog = m_vOCOG->text();
    a.onome = m_vONOME->text();
    a.osex = m_vOSEX->currentText();
    a.ondt = m_vONDT->text();
    a.oncom = m_vONCOM->text();
    a.onpro = m_vONPRO->text();
    a.ocittad = m_vOCITTAD->currentText();
    a.odcom = m_vODCOM->text();
    a.odpro = m_vODPRO->text();
    return a;
}

bool FOPC::Aggiorna()
{
    for (QLineEdit* c : findChildren<QLineEdit*>())
        c->setText(normalizzaCampo(c->text()));
    const Agenzia agenzia = agenziaDaiCampi();
    if (const auto errore = Controlla(agenzia)) {
        segnala(findChild<QWidget*>(errore->campo), errore->messaggio);
        return false;
    }
    if (auto salvata = ArchivioAgenzie::salva(m_ambiente.db(), agenzia); !salvata) {
        Messaggi::mostra(this, salvata.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Critica);
        return false;
    }
    m_codice = agenzia.ocod;
    pubblicaAgenzia();
    return true;
}

void FOPC::segnala(QWidget* campoErrato, const QString& messaggio)
{
    QString testo = messaggio;
    SegnalaErrore(campoErrato, testo);
}

void FOPC::Conferma()
{
    if (!Aggiorna())
        return;
    m_ambiente.agenziaCorrente.daRiselezionare = m_codice;
    Lista();
}

void FOPC::Elimina()
{
    const QString domanda = QStringLiteral("Confermi l'Eliminazione dell'Agenzia  ") +
                            m_ambiente.agenziaCorrente.nome.trimmed() + QLatin1Char('?');
    if (Messaggi::chiedi(this, domanda, QStringLiteral("Richiesta conferma"),
                         Messaggi::Icona::Informazione,
                         Messaggi::Risposta::No) == Messaggi::Risposta::No)
        return;
    if (auto eliminata = ArchivioAgenzie::elimina(m_ambiente.db(), m_codice); !eliminata) {
        Messaggi::mostra(this, eliminata.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Critica);
        return;
    }
    m_codice.clear();
    Lista();
}

DatiAgenzia FOPC::datiComunicazione() const
{
    DatiAgenzia d;
    d.anno = m_vANNO->text();
    d.mese = m_vMESE->text();
    const QString tipo = m_CmbTI->currentText();
    d.tipoInvio = tipo.isEmpty() ? QLatin1Char('0') : tipo.at(0);
    d.codiceFiscale = m_vOCF->text();
    d.partitaIva = m_vOPIVA->text();
    d.personaFisica = m_o2->isChecked();
    d.cognome = m_vOCOG->text();
    d.nome = m_vONOME->text();
    d.sesso = m_vOSEX->currentText();
    d.dataNascita = m_vONDT->text();
    d.comuneNascita = m_vONCOM->text();
    d.provinciaNascita = m_vONPRO->text();
    d.cittadinanza = m_vOCITTAD->currentText();
    d.comuneDomicilio = m_vODCOM->text();
    d.provinciaDomicilio = m_vODPRO->text();
    d.ragioneSociale = m_torag->text();
    d.comuneSede = m_vOSCOM->text();
    d.provinciaSede = m_vOSPRO->text();
    return d;
}

bool FOPC::ConfermaSovrascrittura(const QString& percorso)
{
    if (!QFileInfo::exists(percorso))
        return false;
    return Messaggi::chiedi(this,
                            QStringLiteral("Il file ") + QDir::toNativeSeparators(percorso) +
                                QStringLiteral(" esiste già. Vuoi sovrascriverlo?"),
                            QStringLiteral("Crea Comunicazioni OAM"), Messaggi::Icona::Informazione,
                            Messaggi::Risposta::No) == Messaggi::Risposta::No;
}

void FOPC::impostaOccupato(bool occupato)
{
    m_occupato = occupato;
    for (QWidget* comando : std::as_const(m_comandi))
        comando->setEnabled(!occupato);
    m_Label5->setVisible(occupato);
    m_PERC->setVisible(occupato);
    m_avanzamento->setVisible(occupato);
    m_interrompi->setVisible(occupato);
    if (occupato) {
        m_PERC->clear();
        m_avanzamento->setRange(0, 0); // busy until the first report says more
    }
}

void FOPC::mostraAvanzamento(const Avanzamento& avanzamento)
{
    m_PERC->setText(QString::number(avanzamento.riga));
    if (avanzamento.quota < 0)
        return;
    m_avanzamento->setRange(0, 1000);
    m_avanzamento->setValue(static_cast<int>(avanzamento.quota * 1000));
}

void FOPC::interrompi()
{
    if (m_lavoro)
        m_lavoro->interrompi();
}

void FOPC::ElaExcel()
{
    elaboraFoglio(QString());
}

CartelleAgenzia FOPC::cartelleAgenzia() const
{
    return CartelleAgenzia(Cartelle::fileCartelleAgenzie(m_ambiente.cartella),
                           m_ambiente.agenziaCorrente.codice);
}

void FOPC::elaboraFoglio(QString foglio)
{
    if (m_occupato)
        return;
    TogliSpaziIniziali();
    m_Label5->hide();
    m_PERC->hide();
    if (!Aggiorna())
        return;
    const CartelleAgenzia cartelle = cartelleAgenzia();
    if (foglio.isEmpty())
        foglio = DialoghiFile::apri(
            this, QStringLiteral("Indica il foglio EXCEL o CSV da importare"),
            QStringLiteral("Excel o CSV (*.XLS*;*.CSV)|*.XLS*;*.CSV"), cartelle.fogli());
    if (foglio.isEmpty())
        return;
    cartelle.ricordaFoglio(foglio);
    const QString nomeProposto =
        NomeComunicazione(m_vANNO->text(), m_vMESE->text(), m_ambiente.agenziaCorrente.nome);
    const QString file =
        DialoghiFile::salva(this, QStringLiteral("Archivio COMUNICAZIONE CAMBI OAM da salvare"),
                            QStringLiteral("TXT Files (*.TXT)|*.TXT"),
                            nellaCartella(cartelle.comunicazioni(), nomeProposto));
    if (file.isEmpty() || ConfermaSovrascrittura(file))
        return;
    cartelle.ricordaComunicazione(file);

    RichiestaComunicazione richiesta;
    richiesta.agenzia = datiComunicazione();
    richiesta.foglio = foglio;
    richiesta.fileComunicazione = file;
    richiesta.fileErrori = Cartelle::fileErroriImport(m_ambiente.cartella);
    richiesta.fileAvvisi = Cartelle::fileAvvisiImport(m_ambiente.cartella);
    if (FoglioCsv(foglio)) {
        FCsv impostazioni(foglio, m_ambiente.separatoreCsv, m_ambiente.primaRigaCsv, this);
        impostazioni.exec();
        if (impostazioni.SeparatoreCsv().isEmpty())
            return;
        m_ambiente.separatoreCsv = impostazioni.SeparatoreCsv();
        m_ambiente.primaRigaCsv = impostazioni.PrimaRigaCsv();
        bool numero = false;
        const int primaRiga = impostazioni.PrimaRigaCsv().trimmed().toInt(&numero);
        if (!numero || primaRiga < 1 || primaRiga > 32767) {
            Messaggi::mostra(this,
                             QStringLiteral("Elabora Excel Errore: Prima riga dati non valida: ") +
                                 impostazioni.PrimaRigaCsv(),
                             Versione::titoloApplicazione, Messaggi::Icona::Critica);
            return;
        }
        richiesta.separatoreCsv = impostazioni.SeparatoreCsv();
        richiesta.primaRigaCsv = primaRiga;
    }

    // The run goes on a thread of its own and the window keeps answering;
    // meanwhile nothing else may start a run on the same files.
    ComunicazioneInDisparte lavoro;
    m_lavoro = &lavoro;
    connect(&lavoro, &ComunicazioneInDisparte::avanzato, this, &FOPC::mostraAvanzamento);
    impostaOccupato(true);
    const auto esito = lavoro.esegui(m_ambiente.db().file(), richiesta);
    impostaOccupato(false);
    m_lavoro = nullptr;

    if (!esito && esito.dettaglio().numero == kLetturaInterrotta) {
        Messaggi::mostra(this, esito.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Informazione);
        return;
    }
    if (!esito) {
        Messaggi::mostra(this, QStringLiteral("Errore Lettura foglio: ") + esito.errore(),
                         Versione::titoloApplicazione, Messaggi::Icona::Critica);
        return;
    }
    registraInvio(richiesta.agenzia, StoricoInvii::tipoDaInvio(richiesta.agenzia.tipoInvio), file,
                  esito->recordB, esito->righeErrori);
    AggiornaMesi();
    if (!esito->erroreAvvisi.isEmpty())
        Messaggi::mostra(this, QStringLiteral("Avvisi non scritti: ") + esito->erroreAvvisi,
                         Versione::titoloApplicazione, Messaggi::Icona::Avviso);
    // Advice only adds to the message; a run without any reads as it always did.
    const QString avvisi =
        esito->avvisi > 0 ? QStringLiteral("e %1 avvisi").arg(esito->avvisi) : QString();
    if (!esito->erroriPresenti) {
        const QString testo = QStringLiteral("Comunicazione ") + kCrLf +
                              QDir::toNativeSeparators(file) + kCrLf +
                              QStringLiteral("creata con successo. ") + avvisi;
        if (avvisi.isEmpty()) {
            Messaggi::mostra(this, testo, Versione::titoloApplicazione,
                             Messaggi::Icona::Informazione);
            return;
        }
        if (Messaggi::chiedi(this,
                             testo + kCrLf + QStringLiteral(" ") + kCrLf +
                                 QStringLiteral("Visualizzare gli AVVISI?"),
                             Versione::titoloApplicazione, Messaggi::Icona::Informazione,
                             Messaggi::Risposta::No) == Messaggi::Risposta::Si)
            MostraAvvisi(esito->fileAvvisi, this);
        return;
    }
    Messaggi::mostra(this,
                     QStringLiteral("Comunicazione ") + kCrLf + QDir::toNativeSeparators(file) +
                         kCrLf + QStringLiteral("creata CON ERRORI. ") + avvisi + kCrLf +
                         QStringLiteral(" ") + kCrLf +
                         QStringLiteral("Premere OK per visualizzare gli ERRORI "),
                     Versione::titoloApplicazione, Messaggi::Icona::Critica);
    // The program's own window, which leads on to the advice of the same run.
    if (!avvisi.isEmpty())
        MostraRapportoErrori(esito->fileErrori, this, esito->fileAvvisi);
    else if (!Documenti::apri(esito->fileErrori))
        MostraRapportoErrori(esito->fileErrori, this);
}

void FOPC::registraInvio(const DatiAgenzia& dati, StoricoInvii::Tipo tipo, const QString& file,
                         qint64 recordB, qint64 righeErrori)
{
    StoricoInvii::Invio invio;
    invio.agenzia = m_ambiente.agenziaCorrente.codice;
    invio.anno = dati.anno.trimmed().toInt();
    invio.mese = dati.mese.trimmed().toInt();
    invio.tipo = tipo;
    invio.percorso = QFileInfo(file).absoluteFilePath();
    invio.recordB = recordB;
    invio.righeErrori = righeErrori;
    // The file is in place and stays so: the clerk is told, the run is not undone.
    if (auto registrato = StoricoInvii::registra(m_ambiente.db(), invio); !registrato)
        Messaggi::mostra(this,
                         QStringLiteral("Storico invii non aggiornato: ") + registrato.errore(),
                         Versione::titoloApplicazione, Messaggi::Icona::Avviso);
}

void FOPC::cVUOTA()
{
    if (m_occupato)
        return;
    const QString domanda = QStringLiteral("Confermi la creazione di una comunicazione vuota ") +
                            kCrLf + QStringLiteral("per il periodo ") + m_vANNO->text() +
                            QLatin1Char('/') + m_vMESE->text() + QLatin1Char('?');
    if (Messaggi::chiedi(this, domanda, QStringLiteral("Comunicazione Vuota"),
                         Messaggi::Icona::Nessuna,
                         Messaggi::Risposta::No) != Messaggi::Risposta::Si)
        return;
    const CartelleAgenzia cartelle = cartelleAgenzia();
    const QString file = DialoghiFile::salva(
        this, QStringLiteral("Archivio COMUNICAZIONE CAMBI OAM VUOTA da salvare"),
        QStringLiteral("TXT Files (*.TXT)|*.TXT"),
        nellaCartella(cartelle.comunicazioni(),
                      NomeComunicazioneVuota(m_vANNO->text(), m_vMESE->text(),
                                             m_ambiente.agenziaCorrente.nome)));
    if (file.isEmpty() || ConfermaSovrascrittura(file))
        return;
    cartelle.ricordaComunicazione(file);
    // A file that cannot be written must not pass in silence: the clerk would send nothing.
    const DatiAgenzia dati = datiComunicazione();
    if (auto scritta = CreaVuota(dati, file); !scritta) {
        Messaggi::mostra(this, QStringLiteral(" Errore: ") + scritta.errore(),
                         Versione::titoloApplicazione, Messaggi::Icona::Critica);
        return;
    }
    registraInvio(dati, StoricoInvii::Tipo::vuota, file, 0, 0);
    AggiornaMesi();
    Messaggi::mostra(this,
                     QStringLiteral("Comunicazione ") + kCrLf + QDir::toNativeSeparators(file) +
                         kCrLf + QStringLiteral("creata con successo. "),
                     Versione::titoloApplicazione, Messaggi::Icona::Nessuna);
}
