#include "shell/ui/FA.h"

#include "common/ui/Documenti.h"
#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"
#include "communication/ui/FRapporto.h"
#include "history/ui/FScadenze.h"
#include "registry/ui/FOPC.h"
#include "shell/Ambiente.h"
#include "shell/Cartelle.h"
#include "shell/Versione.h"
#include "shell/ui/FINI.h"
#include "shell/ui/FVer.h"
#include "shell/ui/IconeMenu.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

namespace {
constexpr int kPulsantiBloccati = 2; // ADD and ELI wait for "Entra"
}

FA::FA(Ambiente& ambiente, QWidget* padre) : QMainWindow(padre), m_ambiente(ambiente)
{
    setObjectName(QStringLiteral("FA"));
    setWindowTitle(
        QStringLiteral("ZEFIRANTE - Comunicazione mensile OAM delle operazioni di cambio valuta"));
    m_area = new QMdiArea(this);
    m_area->setObjectName(QStringLiteral("area"));
    setCentralWidget(m_area);
    creaMenu();
    creaBarra();
    resize(1100, 760);
    Finestre::centra(this);
    const auto pulsanti = m_tb2->actions();
    for (int i = 0; i < kPulsantiBloccati; ++i)
        pulsanti.at(i)->setEnabled(false);
}

FA::~FA() = default;

FOPC* FA::agenzie() const
{
    return m_fopc;
}

FINI* FA::benvenuto() const
{
    return m_fini;
}

QAction* FA::voce(QMenu* menu, const char* nome, const QString& didascalia)
{
    const VoceMenu v = IconeMenu::leggi(didascalia);
    QAction* azione = menu->addAction(v.icona, v.testo);
    azione->setObjectName(QString::fromLatin1(nome));
    return azione;
}

void FA::creaMenu()
{
    QMenu* funzioni = menuBar()->addMenu(QStringLiteral("Funzioni"));
    funzioni->setObjectName(QStringLiteral("funzioni"));
    connect(voce(funzioni, "salva", QStringLiteral("Salva|#K1")), &QAction::triggered, this,
            &FA::salva);
    connect(voce(funzioni, "ripristina", QStringLiteral("Ripristina|#k2")), &QAction::triggered,
            this, &FA::ripristina);
    connect(voce(funzioni, "rapporto", QStringLiteral("Ultimo rapporto errori|#k15")),
            &QAction::triggered, this, [this] {
                MostraRapportoErrori(Cartelle::fileErroriImport(m_ambiente.cartella), this);
            });
    connect(voce(funzioni, "mnuAvvisi", QStringLiteral("Ultimi avvisi|#k15")), &QAction::triggered,
            this, [this] { MostraAvvisi(Cartelle::fileAvvisiImport(m_ambiente.cartella), this); });
    QAction* menuScadenze = voce(funzioni, "mnuScadenze", QStringLiteral("Scadenze"));
    menuScadenze->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    connect(menuScadenze, &QAction::triggered, this, &FA::scadenze);
    voce(funzioni, "sito", QStringLiteral("Sito Ufficiale OAM|#k15"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("help"));
    connect(voce(help, "ICCAM", QStringLiteral("Istruzioni Zefirante|#k15")), &QAction::triggered,
            this, [this] { apriAiuto(QStringLiteral("Help/ZEFIRANTE_ISTRUZIONI.pdf")); });
    connect(voce(help, "ISTR", QStringLiteral("Istruzioni OAM CambiaValute|#k15")),
            &QAction::triggered, this, [this] {
                // OAM revises its manual; without a copy saved by the user a
                // page says where to download the current one.
                const QString manuale = QStringLiteral("Help/MANUALE_OAM_CAMBIAVALUTE.pdf");
                apriAiuto(QFileInfo::exists(QDir(m_ambiente.cartella).filePath(manuale))
                              ? manuale
                              : QStringLiteral("Help/MANUALE_OAM.html"));
            });
    connect(voce(help, "fbase", QStringLiteral("Foglio EXCEL Base|#k14")), &QAction::triggered,
            this, [this] { apriAiuto(QStringLiteral("Help/ZEFIRANTE_BASE.xlsx")); });
    connect(voce(help, "contatti", QStringLiteral("Contatti|#k13")), &QAction::triggered, this,
            &FA::versione);
    connect(voce(help, "Versione", QStringLiteral("Versione|#k12")), &QAction::triggered, this,
            &FA::versione);
    connect(voce(help, "ASSR", QStringLiteral("Assistenza Remota|#k70")), &QAction::triggered, this,
            &FA::assistenzaRemota);

    QAction* esci = menuBar()->addAction(QStringLiteral("Esci"));
    esci->setObjectName(QStringLiteral("Esci"));
    connect(esci, &QAction::triggered, this, &FA::esci);
}

void FA::creaBarra()
{
    m_tb2 = addToolBar(QStringLiteral("Strumenti"));
    m_tb2->setObjectName(QStringLiteral("TB2"));
    m_tb2->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    m_tb2->setMovable(false);
    const auto pulsante = [this](const char* chiave, const QString& testo,
                                 const QString& suggerimento, QStyle::StandardPixmap icona) {
        QAction* a = m_tb2->addAction(style()->standardIcon(icona), testo);
        a->setObjectName(QString::fromLatin1(chiave));
        a->setToolTip(suggerimento.isEmpty() ? testo : suggerimento);
        return a;
    };
    connect(pulsante("ADD", QStringLiteral("Aggiungi Agenzia"),
                     QStringLiteral("Aggiungi all'archivio "), QStyle::SP_FileDialogNewFolder),
            &QAction::triggered, this, &FA::aggiungi);
    connect(pulsante("ELI", QStringLiteral("Elimina Agenzia"),
                     QStringLiteral("Elimina dall'archivio anagrafico o Storico"),
                     QStyle::SP_TrashIcon),
            &QAction::triggered, this, &FA::elimina);
    m_tb2->addSeparator();
    connect(
        pulsante("ASSR2", QStringLiteral("Assistenza Remota"), QString(), QStyle::SP_ComputerIcon),
        &QAction::triggered, this, &FA::assistenzaRemota);
    connect(pulsante("STAMPA", QStringLiteral("Stampa Elenchi"),
                     QStringLiteral("Stampa tabulati dell'agenzia"),
                     QStyle::SP_FileDialogDetailedView),
            &QAction::triggered, this, [this] {
                if (mostraStampa)
                    mostraStampa(this);
            });
    connect(pulsante("tbScadenze", QStringLiteral("Scadenze"),
                     QStringLiteral("Le comunicazioni del mese di ogni agenzia e le scadenze"),
                     QStyle::SP_FileDialogListView),
            &QAction::triggered, this, &FA::scadenze);
}

void FA::mostraBenvenuto()
{
    if (!m_fini) {
        m_fini = new FINI(this);
        connect(m_fini, &FINI::entra, this, &FA::Entra);
    }
    m_fini->show();
    Finestre::centra(m_fini);
}

void FA::Entra()
{
    ImpostaTB2();
    if (m_fini)
        m_fini->close();
    riapriAgenzie();
}

void FA::ImpostaTB2()
{
    const auto pulsanti = m_tb2->actions();
    for (int i = 0; i < kPulsantiBloccati; ++i)
        pulsanti.at(i)->setEnabled(true);
}

void FA::riapriAgenzie()
{
    if (m_fopc) {
        QMdiSubWindow* cornice = qobject_cast<QMdiSubWindow*>(m_fopc->parentWidget());
        m_area->removeSubWindow(m_fopc);
        delete m_fopc;
        delete cornice;
    }
    m_fopc = new FOPC(m_ambiente);
    QMdiSubWindow* cornice = m_area->addSubWindow(m_fopc);
    cornice->setObjectName(QStringLiteral("corniceFOPC"));
    cornice->move(0, 0);
    cornice->showMaximized();
}

void FA::apriAiuto(const QString& relativo)
{
    Documenti::apri(QDir(m_ambiente.cartella).filePath(relativo));
}

void FA::salva()
{
    if (m_ambiente.agenziaCorrente.codice.isEmpty()) {
        Messaggi::mostra(this, QStringLiteral("Nessuna Agenzia selezionata. Salvataggi annullato"),
                         QStringLiteral("Zefirante - Salvataggio"), Messaggi::Icona::Critica);
        return;
    }
    m_ambiente.modoSalva = QStringLiteral("S");
    if (mostraSalvataggio)
        mostraSalvataggio(this);
    riapriAgenzie();
}

void FA::ripristina()
{
    m_ambiente.modoSalva = QStringLiteral("R");
    if (mostraSalvataggio)
        mostraSalvataggio(this);
    riapriAgenzie();
}

void FA::esci()
{
    const auto risposta = Messaggi::chiedi(
        this, QStringLiteral("           Vuoi uscire dal programma?         "),
        QStringLiteral("Termine programma"), Messaggi::Icona::Domanda, Messaggi::Risposta::No);
    if (risposta != Messaggi::Risposta::Si)
        return;
    QApplication::closeAllWindows();
    QApplication::quit();
}

void FA::assistenzaRemota()
{
    // Whatever the remote-assistance program does or fails to do, the user goes on working.
    Documenti::avvia(QDir(m_ambiente.cartella).filePath(QStringLiteral("teleassistenza.exe")),
                     {QStringLiteral("/hide"), QStringLiteral("/su")});
}

void FA::versione()
{
    FVer finestra(this);
    finestra.exec();
}

void FA::aggiungi()
{
    if (m_ambiente.formAttivo == QLatin1String("FOPC") && m_fopc && !m_fopc->occupato())
        m_fopc->Aggiungi();
    ImpostaTB2();
}

void FA::elimina()
{
    if (m_ambiente.formAttivo == QLatin1String("FOPC") && m_fopc && !m_fopc->occupato())
        m_fopc->Elimina();
}

void FA::scadenze()
{
    FScadenze finestra(m_ambiente.db(), this);
    if (finestra.exec() == QDialog::Accepted)
        apriAgenzia(finestra.agenziaScelta(), finestra.anno(), finestra.mese());
}

// The agency chosen in the deadlines, with that month ready to be written.
void FA::apriAgenzia(const QString& codice, int anno, int mese)
{
    if (!m_fopc)
        Entra();
    if (m_fopc->occupato())
        return;
    m_ambiente.agenziaCorrente.daRiselezionare = codice;
    m_fopc->Lista();
    m_fopc->ScegliPeriodo(anno, mese);
}
