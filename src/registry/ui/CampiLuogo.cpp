#include "registry/ui/CampiLuogo.h"

#include "common/ui/Colori.h"
#include "common/ui/FTAB.h"
#include "common/ui/Messaggi.h"
#include "registry/ElencoComuni.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

void coloraSfondo(QWidget* campo, const QColor& colore)
{
    QPalette tavolozza = campo->palette();
    tavolozza.setColor(QPalette::Base, colore);
    campo->setPalette(tavolozza);
}

// Reacts to the registered office losing the focus.
class UscitaSede : public QObject
{
public:
    UscitaSede(const CampiLuogo& campi, ElencoComuni& elenco)
        : QObject(campi.vOSCOM), m_campi(campi), m_elenco(elenco)
    {
        campi.vOSCOM->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override
    {
        // Only when the user moves to another control: switching to another
        // program or opening a menu mid-name must not copy a half-typed name
        // into the establishment, which would then never be filled again.
        if (evento->type() == QEvent::FocusOut) {
            const Qt::FocusReason motivo = static_cast<QFocusEvent*>(evento)->reason();
            if (motivo != Qt::ActiveWindowFocusReason && motivo != Qt::PopupFocusReason)
                UscitaSedeLegale(m_campi, m_elenco);
        }
        return QObject::eventFilter(oggetto, evento);
    }

private:
    CampiLuogo m_campi;
    ElencoComuni& m_elenco;
};

void copiaInStabileOrganizzazione(const CampiLuogo& campi)
{
    if (!campi.vOSOCOM->text().trimmed().isEmpty())
        return;
    campi.vOSOCOM->setText(campi.vOSCOM->text());
    campi.vOSOPRO->setText(campi.vOSPRO->text());
}

} // namespace

CompletaComune::CompletaComune(QLineEdit* comune, QLineEdit* provincia, ElencoComuni& elenco)
    : QObject(comune), m_comune(comune), m_provincia(provincia), m_elenco(elenco)
{
    comune->installEventFilter(this);
}

bool CompletaComune::eventFilter(QObject* oggetto, QEvent* evento)
{
    if (oggetto == m_comune && evento->type() == QEvent::KeyRelease) {
        auto* tasto = static_cast<QKeyEvent*>(evento);
        // Ctrl+C, Ctrl+V and the like are editing commands, not typed letters.
        const bool comando =
            tasto->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        if (!tasto->isAutoRepeat() && !comando)
            completa(tasto->key());
    }
    return QObject::eventFilter(oggetto, evento);
}

void CompletaComune::completa(int tasto)
{
    // Only the letter keys: digits, blanks, the apostrophe, deletions and
    // arrows leave the text as the user made it.
    if (tasto < Qt::Key_A || tasto > Qt::Key_Z || m_comune->isReadOnly())
        return;
    // The caret is where the selection starts (the proposed rest is selected).
    const int cursore =
        m_comune->hasSelectedText() ? m_comune->selectionStart() : m_comune->cursorPosition();
    auto completamento = CompletaTesto(m_elenco, m_comune->text(), cursore);
    if (!completamento) {
        if (!m_erroreMostrato) // once, not at every key
            Messaggi::mostra(m_comune->window(), completamento.errore(), QStringLiteral("Errore"),
                             Messaggi::Icona::Critica);
        m_erroreMostrato = true;
        return;
    }
    const auto& trovato = completamento.valore();
    if (!trovato)
        return;
    m_comune->setText(trovato->comune);
    m_provincia->setText(trovato->provincia);
    // Caret back after the typed letters, the rest selected backwards so the
    // caret stays where the user is typing.
    m_comune->setCursorPosition(static_cast<int>(trovato->comune.size()));
    m_comune->cursorBackward(true, static_cast<int>(trovato->comune.size()) - trovato->cursore);
}

void CollegaCampiLuogo(const CampiLuogo& campi, ElencoComuni& elenco)
{
    new CompletaComune(campi.vOSCOM, campi.vOSPRO, elenco);
    new CompletaComune(campi.vOSOCOM, campi.vOSOPRO, elenco);
    new CompletaComune(campi.vONCOM, campi.vONPRO, elenco);
    new CompletaComune(campi.vODCOM, campi.vODPRO, elenco);
    new UscitaSede(campi, elenco);
}

void UscitaSedeLegale(const CampiLuogo& campi, ElencoComuni& elenco)
{
    coloraSfondo(campi.vOSCOM, ColoreNormale);
    campi.vOSCOM->setText(campi.vOSCOM->text().toUpper());
    const QString nome = campi.vOSCOM->text().trimmed();
    if (nome.isEmpty())
        return;
    EsitoVuoto aperto;
    if (!elenco.ComuniAperti())
        aperto = elenco.ApriComuni();
    if (!aperto)
        Messaggi::mostra(campi.vOSCOM->window(), aperto.errore(), QStringLiteral("Errore"),
                         Messaggi::Icona::Critica);
    else if (const Comune* trovato = elenco.cercaEsatto(nome))
        campi.vOSPRO->setText(trovato->pro);
    copiaInStabileOrganizzazione(campi);
}

void RLOC(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre)
{
    ApriRicerca(campi.vOSCOM, campi.vOSPRO, QStringLiteral("COMUN"), contesto, padre);
    copiaInStabileOrganizzazione(campi);
    campi.vOSCOM->setFocus();
}

void rloca1(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre)
{
    ApriRicerca(campi.vONCOM, campi.vONPRO, QStringLiteral("COMUN"), contesto, padre);
    campi.vONCOM->setFocus();
}

// The domicile has the same lookup as its siblings.
void rloca2(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre)
{
    ApriRicerca(campi.vODCOM, campi.vODPRO, QStringLiteral("COMUN"), contesto, padre);
    campi.vODCOM->setFocus();
}

void rloca3(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre)
{
    ApriRicerca(campi.vOSOCOM, campi.vOSOPRO, QStringLiteral("COMUN"), contesto, padre);
    campi.vOSOCOM->setFocus();
}
