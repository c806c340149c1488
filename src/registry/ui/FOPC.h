#pragma once

#include "common/ui/StatoListe.h"
#include "history/StoricoInvii.h"
#include "registry/Agenzia.h"

#include <QWidget>
#include <memory>

class CartelleAgenzia;
class ComunicazioneInDisparte;
class ElencoComuni;
class QComboBox;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class StrisciaMesi;
struct Ambiente;
struct CampiLuogo;
struct ContestoRicerca;
struct Avanzamento;
struct DatiAgenzia;

// The agency window, the working window of the whole run: the list of
// agencies, the selected agency's data, and the period and kind of sending of
// the communication with the two commands that write it.
class FOPC : public QWidget
{
    Q_OBJECT

public:
    explicit FOPC(Ambiente& ambiente, QWidget* padre = nullptr);
    ~FOPC() override;

    // Reloads the list and shows the agency to reselect (or the selected one).
    void Lista();
    // Loads the agency whose code is selected; an unknown code opens a new agency.
    void Dettaglio();
    // Empties the fields for a new agency.
    void Aggiungi();
    // Normalises the fields, checks them and saves the agency; true when saved.
    bool Aggiorna();
    // Saves and reloads the list on the saved agency.
    void Conferma();
    // Asks, then deletes the agency shown.
    void Elimina();

    // "Crea Comunicazione" from a sheet, and "Crea Comunicazione VUOTA".
    void ElaExcel();
    void cVUOTA();

    // The month strip of the agency shown, for the year in the period field.
    void AggiornaMesi();
    // Sets the period of the communication to create (a month the deadlines chose).
    void ScegliPeriodo(int anno, int mese);

    // True while a communication is being written: the window's commands wait.
    bool occupato() const { return m_occupato; }

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    // The window cannot be closed while it writes a communication.
    void closeEvent(QCloseEvent* evento) override;
    // A sheet dropped on the window starts "Crea Comunicazione" with it.
    void dragEnterEvent(QDragEnterEvent* evento) override;
    void dropEvent(QDropEvent* evento) override;

private:
    // The communication from `foglio`, or from the sheet the dialog gives when empty.
    void elaboraFoglio(QString foglio);
    // The communication just written goes into the history of the sent ones.
    void registraInvio(const DatiAgenzia& dati, StoricoInvii::Tipo tipo, const QString& file,
                       qint64 recordB, qint64 righeErrori);
    CartelleAgenzia cartelleAgenzia() const;
    void mostraAvanzamento(const Avanzamento& avanzamento);
    // "Interrompi": the run stops, nothing is written.
    void interrompi();
    void creaCampi();
    QWidget* creaElenco();
    QWidget* creaAgenzia();
    QWidget* creaComunicazione();
    QLayout* creaStorico(QWidget* riquadro);
    QString agenziaMostrata() const;
    QLineEdit* campo(const char* nome, int lunghezza, const QString& suggerimento = {});
    QComboBox* tendina(const char* nome, const QStringList& voci);
    void LVOpe_Click();
    void mostraTipo();
    void PulisciCampi();
    void TogliSpaziIniziali();
    void impostaPeriodo();
    void pubblicaAgenzia();
    Agenzia agenziaDaiCampi() const;
    DatiAgenzia datiComunicazione() const;
    bool ConfermaSovrascrittura(const QString& percorso);
    void impostaOccupato(bool occupato);
    void segnala(QWidget* campo, const QString& messaggio);
    void tOCOD_LostFocus();
    void vONDT_LostFocus();

    Ambiente& m_ambiente;
    StatoListe m_liste;
    std::unique_ptr<ElencoComuni> m_comuni;
    std::unique_ptr<CampiLuogo> m_luoghi;
    std::unique_ptr<ContestoRicerca> m_ricerca;
    QString m_codice; // the agency shown
    bool m_occupato = false;

    QTreeWidget* m_LVOpe = nullptr;
    QGroupBox* m_framePNF = nullptr;
    QGroupBox* m_framePF = nullptr;
    QRadioButton* m_o1 = nullptr;
    QRadioButton* m_o2 = nullptr;
    QLineEdit *m_tOCOD = nullptr, *m_vOCF = nullptr, *m_vOPIVA = nullptr, *m_torag = nullptr;
    QLineEdit *m_vOSCOM = nullptr, *m_vOSPRO = nullptr, *m_vOSOCOM = nullptr, *m_vOSOPRO = nullptr;
    QLineEdit *m_vOCOG = nullptr, *m_vONOME = nullptr, *m_vONDT = nullptr, *m_vONCOM = nullptr,
              *m_vONPRO = nullptr;
    QLineEdit *m_vODCOM = nullptr, *m_vODPRO = nullptr, *m_vANNO = nullptr, *m_vMESE = nullptr,
              *m_PERC = nullptr;
    QComboBox *m_vOSEX = nullptr, *m_vOCITTAD = nullptr, *m_CmbTI = nullptr;
    QLabel* m_Label5 = nullptr;
    QProgressBar* m_avanzamento = nullptr;
    QPushButton* m_interrompi = nullptr;
    StrisciaMesi* m_mesi = nullptr;
    QPushButton* m_storico = nullptr;
    ComunicazioneInDisparte* m_lavoro = nullptr; // the run under way, if any
    QList<QWidget*> m_comandi;                   // disabled while a communication is written
};
