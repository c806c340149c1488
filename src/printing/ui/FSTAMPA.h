#pragma once

#include "printing/ElenchiAnnuali.h"
#include "printing/Rapporto.h"

#include <QDialog>
#include <optional>

class QLineEdit;
class QRadioButton;
struct Ambiente;

// The print window of the yearly lists ("Stampa tabulati"): for the current
// agency and one year, the list of its operations or of its variation notes,
// shown in a preview from which it can be printed, or written as a PDF.
class FSTAMPA : public QDialog
{
    Q_OBJECT

public:
    explicit FSTAMPA(Ambiente& ambiente, QWidget* padre = nullptr);

    // Sets the report up from the current option and year. No option chosen
    // means the variation notes.
    void PreparaStampa();
    void Anteprima();
    void CreaPdf();

    const QString& sqlStampa() const { return m_sqlStampa; }
    const QString& percorsoPdf() const { return m_percorsoPdf; }
    const Rapporto& rapporto() const { return m_rapporto; }

private:
    std::optional<ElenchiAnnuali::Elenco> sceltaElenco() const;
    QString anno() const;
    bool controllaRichiesta();
    void mostraErrore(const QString& prefisso, const Errore& errore);

    Ambiente& m_ambiente;
    Rapporto m_rapporto;
    QString m_sqlStampa;
    QString m_percorsoPdf;
    QString m_nomeDialogo; // the save box keeps its last name while the window is open

    QRadioButton* m_SOPE = nullptr;
    QRadioButton* m_SNOTE = nullptr;
    QLineEdit* m_AA1 = nullptr;
};
