#include "printing/ui/FSTAMPA.h"

#include "base/Orologio.h"
#include "common/ui/DialoghiFile.h"
#include "common/ui/Documenti.h"
#include "common/ui/Finestre.h"
#include "common/ui/Messaggi.h"
#include "printing/PdfInDisparte.h"
#include "shell/Ambiente.h"
#include "shell/Versione.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using ElenchiAnnuali::Elenco;

namespace {

template <typename T> T* conNome(T* oggetto, const char* nome)
{
    oggetto->setObjectName(QString::fromLatin1(nome));
    return oggetto;
}

} // namespace

FSTAMPA::FSTAMPA(Ambiente& ambiente, QWidget* padre) : QDialog(padre), m_ambiente(ambiente)
{
    setObjectName(QStringLiteral("FSTAMPA"));
    setWindowTitle(QStringLiteral("Stampa tabulati"));
    setModal(true);

    auto* agenzia =
        conNome(new QLabel(ElenchiAnnuali::descrizioneAgenzia(ambiente.agenziaCorrente.codice,
                                                              ambiente.agenziaCorrente.nome),
                           this),
                "Label1");
    QFont grassetto = agenzia->font();
    grassetto.setBold(true);
    agenzia->setFont(grassetto);

    auto* tipo = conNome(new QGroupBox(QStringLiteral("ZEFIRANTE - STAMPA ELENCO"), this), "TipoS");
    auto* domanda =
        conNome(new QLabel(QStringLiteral("Conferma il tipo di stampa:"), tipo), "Label2");
    // Both options start cleared; with neither chosen the notes are printed.
    m_SOPE = conNome(new QRadioButton(QStringLiteral("Operazioni"), tipo), "SOPE");
    m_SNOTE = conNome(new QRadioButton(QStringLiteral("Note di Variazione"), tipo), "SNOTE");
    auto* anno = conNome(new QLabel(QStringLiteral("Anno di rifeirmento: "), tipo), "Label6");
    m_AA1 = conNome(new QLineEdit(QString::number(Orologio::oggi().year() - 1), tipo), "AA1");
    m_AA1->setMaxLength(4);
    m_AA1->setFixedWidth(m_AA1->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    anno->setBuddy(m_AA1);

    auto* opzioni = new QVBoxLayout(tipo);
    opzioni->addWidget(domanda);
    opzioni->addWidget(m_SOPE);
    opzioni->addWidget(m_SNOTE);
    auto* rigaAnno = new QHBoxLayout;
    rigaAnno->addWidget(anno);
    rigaAnno->addWidget(m_AA1);
    rigaAnno->addStretch();
    opzioni->addLayout(rigaAnno);

    auto* anteprima = conNome(new QPushButton(QStringLiteral("Anteprima"), this), "Preview");
    auto* pdf = conNome(new QPushButton(QStringLiteral("Crea PDF"), this), "PDF");
    auto* chiudi = conNome(new QPushButton(QStringLiteral("Chiudi"), this), "Command1");
    connect(anteprima, &QPushButton::clicked, this, &FSTAMPA::Anteprima);
    connect(pdf, &QPushButton::clicked, this, &FSTAMPA::CreaPdf);
    connect(chiudi, &QPushButton::clicked, this, &QDialog::accept);
    auto* pulsanti = new QHBoxLayout;
    pulsanti->addWidget(anteprima);
    pulsanti->addWidget(pdf);
    pulsanti->addStretch();
    pulsanti->addWidget(chiudi);
    m_comandi << tipo << anteprima << pdf << chiudi;

    // Pages drawn of how many; a busy bar while the rows are read.
    m_avanzamento = conNome(new QProgressBar(this), "Avanzamento");
    m_avanzamento->setTextVisible(false);
    m_interrompi = conNome(new QPushButton(QStringLiteral("Interrompi"), this), "Interrompi");
    connect(m_interrompi, &QPushButton::clicked, this, [this] {
        if (m_lavoro)
            m_lavoro->interrompi();
    });
    auto* corsa = new QHBoxLayout;
    corsa->addWidget(m_avanzamento, 1);
    corsa->addWidget(m_interrompi);
    // Their room is kept while they are hidden, so the window does not jump when a run starts.
    for (QWidget* elemento : std::initializer_list<QWidget*>{m_avanzamento, m_interrompi}) {
        QSizePolicy politica = elemento->sizePolicy();
        politica.setRetainSizeWhenHidden(true);
        elemento->setSizePolicy(politica);
        elemento->hide();
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(agenzia);
    layout->addWidget(tipo);
    layout->addLayout(pulsanti);
    layout->addLayout(corsa);
    Finestre::centra(this);
}

std::optional<Elenco> FSTAMPA::sceltaElenco() const
{
    if (m_SOPE->isChecked())
        return Elenco::Operazioni;
    if (m_SNOTE->isChecked())
        return Elenco::NoteVariazione;
    return std::nullopt;
}

QString FSTAMPA::anno() const
{
    return m_AA1->text().trimmed();
}

void FSTAMPA::PreparaStampa()
{
    m_sqlStampa =
        ElenchiAnnuali::PreparaStampa(m_rapporto, sceltaElenco().value_or(Elenco::NoteVariazione),
                                      anno(), contestoStampa(m_ambiente));
}

bool FSTAMPA::controllaRichiesta()
{
    if (m_ambiente.agenziaCorrente.codice.isEmpty()) {
        Messaggi::mostra(
            this,
            QStringLiteral(
                "Nessuna agenzia selezionata: sceglierne una nell'elenco delle agenzie."),
            Versione::titoloApplicazione, Messaggi::Icona::Avviso);
        return false;
    }
    if (!ElenchiAnnuali::annoValido(anno())) {
        Messaggi::mostra(this, ElenchiAnnuali::messaggioAnnoNonValido, Versione::titoloApplicazione,
                         Messaggi::Icona::Avviso);
        m_AA1->setFocus();
        m_AA1->selectAll();
        return false;
    }
    return true;
}

void FSTAMPA::mostraErrore(const QString& prefisso, const Errore& errore)
{
    Messaggi::mostra(this,
                     prefisso + QDir::toNativeSeparators(m_rapporto.fileRapporto()) +
                         QStringLiteral(" Errore: ") + QString::number(errore.numero) +
                         QStringLiteral("  ") + errore.descrizione,
                     Versione::titoloApplicazione);
}

void FSTAMPA::Anteprima()
{
    if (occupato() || !controllaRichiesta())
        return;
    PreparaStampa();
    if (m_rapporto.fileRapporto().isEmpty())
        return;
    if (auto eseguito = m_rapporto.esegui(); !eseguito) {
        mostraErrore(QStringLiteral("Listato: "), eseguito.dettaglio());
        return;
    }
    const DocumentoStampa& documento = *m_rapporto.documento();
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setPageLayout(documento.modello().impaginazione());
    stampante.setDocName(documento.titolo());
    // A page too small for one line is told before the preview opens empty.
    if (auto pagine = documento.pagine(stampante); !pagine) {
        mostraErrore(QStringLiteral("Listato: "), pagine.dettaglio());
        return;
    }
    QPrintPreviewDialog anteprima(&stampante, this);
    anteprima.setObjectName(QStringLiteral("AnteprimaStampa"));
    anteprima.setWindowTitle(QStringLiteral("Anteprima - ") + documento.titolo());
    connect(&anteprima, &QPrintPreviewDialog::paintRequested, this,
            [&documento](QPrinter* dispositivo) { (void)documento.disegna(*dispositivo); });
    anteprima.exec();
}

void FSTAMPA::CreaPdf()
{
    if (occupato() || !controllaRichiesta())
        return;
    if (const auto elenco = sceltaElenco())
        m_nomeDialogo = ElenchiAnnuali::nomePdf(*elenco, anno(), m_ambiente.agenziaCorrente.codice);
    const QString scelto = DialoghiFile::salva(
        this, QStringLiteral("Crea PDF"), QStringLiteral("PDF Files (*.PDF)|*.PDF"), m_nomeDialogo);
    if (scelto.isEmpty())
        return; // the user cancelled: nothing to say, nothing written
    m_nomeDialogo = scelto;
    m_percorsoPdf = ElenchiAnnuali::conEstensionePdf(scelto);
    if (QFileInfo::exists(m_percorsoPdf) &&
        Messaggi::chiedi(this,
                         QStringLiteral("Il file %1 esiste già. Sostituirlo?")
                             .arg(QDir::toNativeSeparators(m_percorsoPdf)),
                         Versione::titoloApplicazione) != Messaggi::Risposta::Si)
        return;
    PreparaStampa();
    const auto scritto = scriviPdf();
    if (!scritto && scritto.dettaglio().numero == CodiceStampa::Interrotta) {
        Messaggi::mostra(this, scritto.errore(), Versione::titoloApplicazione,
                         Messaggi::Icona::Informazione);
        return;
    }
    if (!scritto) {
        mostraErrore(QStringLiteral("Listato PDF: "), scritto.dettaglio());
        return;
    }
    Documenti::apri(m_percorsoPdf);
}

Esito<int> FSTAMPA::scriviPdf()
{
    PdfInDisparte lavoro;
    connect(&lavoro, &PdfInDisparte::avanzato, this, &FSTAMPA::mostraAvanzamento);
    m_lavoro = &lavoro;
    impostaOccupato(true);
    auto scritto = lavoro.esegui(m_rapporto, m_percorsoPdf);
    m_lavoro = nullptr;
    impostaOccupato(false);
    return scritto;
}

void FSTAMPA::impostaOccupato(bool occupato)
{
    for (QWidget* comando : std::as_const(m_comandi))
        comando->setEnabled(!occupato);
    m_avanzamento->setVisible(occupato);
    m_interrompi->setVisible(occupato);
    if (occupato)
        m_avanzamento->setRange(0, 0); // busy until the page count is known
}

void FSTAMPA::mostraAvanzamento(int fatte, int totale)
{
    if (!m_lavoro || totale <= 0)
        return; // a report that arrives after the run has ended
    m_avanzamento->setRange(0, totale);
    m_avanzamento->setValue(fatte);
}

void FSTAMPA::reject()
{
    if (!occupato())
        QDialog::reject();
}

void FSTAMPA::closeEvent(QCloseEvent* evento)
{
    if (occupato())
        evento->ignore();
    else
        QDialog::closeEvent(evento);
}
