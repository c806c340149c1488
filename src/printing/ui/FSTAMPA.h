#pragma once

#include "printing/ElenchiAnnuali.h"
#include "printing/Rapporto.h"

#include <QDialog>
#include <QList>
#include <optional>

class PdfInDisparte;
class QLineEdit;
class QProgressBar;
class QPushButton;
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
    // True while a PDF is being written: the commands wait, the window stays open.
    bool occupato() const { return m_lavoro != nullptr; }

    // Esc and the window's close button are refused while a PDF is written.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    std::optional<ElenchiAnnuali::Elenco> sceltaElenco() const;
    QString anno() const;
    bool controllaRichiesta();
    void mostraErrore(const QString& prefisso, const Errore& errore);
    // The PDF on a thread of its own, the window answering meanwhile.
    Esito<int> scriviPdf();
    void impostaOccupato(bool occupato);
    void mostraAvanzamento(int fatte, int totale);

    Ambiente& m_ambiente;
    Rapporto m_rapporto;
    QString m_sqlStampa;
    QString m_percorsoPdf;
    QString m_nomeDialogo; // the save box keeps its last name while the window is open

    QRadioButton* m_SOPE = nullptr;
    QRadioButton* m_SNOTE = nullptr;
    QLineEdit* m_AA1 = nullptr;
    QProgressBar* m_avanzamento = nullptr;
    QPushButton* m_interrompi = nullptr;
    QList<QWidget*> m_comandi;         // disabled while a PDF is written
    PdfInDisparte* m_lavoro = nullptr; // the run under way, if any
};
