#pragma once

#include <QObject>

class ElencoComuni;
class QLineEdit;
class QWidget;
struct ContestoRicerca;

// The place fields of the agency window: four municipality fields (at most 40
// characters), each paired with its two-letter province field.
struct CampiLuogo
{
    QLineEdit* vOSCOM = nullptr; // registered office
    QLineEdit* vOSPRO = nullptr;
    QLineEdit* vOSOCOM = nullptr; // permanent establishment
    QLineEdit* vOSOPRO = nullptr;
    QLineEdit* vONCOM = nullptr; // municipality or foreign state of birth
    QLineEdit* vONPRO = nullptr;
    QLineEdit* vODCOM = nullptr; // domicile in Italy
    QLineEdit* vODPRO = nullptr;
};

// Type-ahead completion of one municipality field, attached to it (and owned
// by it): when a letter key is released, the field shows the first
// municipality, in table order, that begins with the text before the caret,
// with the rest of the name selected so the next letter replaces it, and the
// province field shows its province. Other keys, and a text that matches no
// name, leave both fields alone.
class CompletaComune : public QObject
{
    Q_OBJECT

public:
    CompletaComune(QLineEdit* comune, QLineEdit* provincia, ElencoComuni& elenco);

    // The completion for one released key.
    void completa(int tasto);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QLineEdit* m_comune;
    QLineEdit* m_provincia;
    ElencoComuni& m_elenco;
    bool m_erroreMostrato = false;
};

// Attaches the completion to the four municipality fields, and to the
// registered office the exact lookup when it loses the focus.
void CollegaCampiLuogo(const CampiLuogo& campi, ElencoComuni& elenco);

// The registered office loses the focus: its text goes to upper case; an
// exact municipality name fills its province (a partial one leaves the
// province alone); an empty permanent establishment takes a copy of both.
void UscitaSedeLegale(const CampiLuogo& campi, ElencoComuni& elenco);

// The lookup buttons: the municipality list for the field beside each, the
// picked name and province written into the pair, and the focus back on the
// municipality field. RLOC also copies the registered office into an empty
// permanent establishment.
void RLOC(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre);
void rloca1(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre);
void rloca2(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre);
void rloca3(const CampiLuogo& campi, ContestoRicerca& contesto, QWidget* padre);
