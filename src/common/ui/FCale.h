#pragma once

#include <QDate>
#include <QDialog>
#include <QString>
#include <array>

class QFrame;
class QLabel;
class QListWidget;
class QPushButton;
class QScrollBar;

// The calendar ("Seleziona una data"): a month grid from which the user picks
// a date with a double click, or with a click and Enter or Space. It always
// opens on today's month with the frame on today's day. After exec(),
// dataScelta() holds the picked date as dd/mm/yyyy, or the empty text when
// the user pressed Esc, pressed Enter before clicking a day, or closed the
// window from its title bar.
//
// Object names: lblMESE, cmdMESI, lstMESI, lblANNO, VScroll1, Command2
// (previous month), Command3 (next month), pctCAL (the grid, which takes the
// keys), G0 ... G36 (the day cells, seven a row, Monday first), Shape1 (the
// frame on the chosen day), MyDate (the day last clicked), Label1.
// VScroll1 runs from -2500 to -1500 and its value is minus the year, so its
// up arrow moves to later years as the clerk expects.
class FCale : public QDialog
{
    Q_OBJECT

public:
    static constexpr int Celle = 37;
    static constexpr int AnnoMinimo = 1500;
    static constexpr int AnnoMassimo = 2500;

    explicit FCale(QWidget* padre = nullptr);

    const QString& dataScelta() const { return m_dataScelta; }

    // The month and year shown.
    int mese() const;
    int anno() const;
    QLabel* cella(int indice) const { return m_celle.at(static_cast<std::size_t>(indice)); }

public slots:
    // Esc outside the grid and the title bar's close box: no date.
    void reject() override;

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void showEvent(QShowEvent* evento) override;

private:
    void costruisci();
    void disegnaMese();
    void mostraMese(int indice);
    void cambiaAnno(int valore);
    void mesePrecedente();
    void meseSuccessivo();
    void impostaAnno(int anno);
    void scambiaListaMesi();
    void posizionaCornice(int indiceCella);
    // The day of a cell in the shown month, or 0 for a blank cell.
    int giornoDellaCella(int indice) const;
    void clicSuCella(int indice);
    void doppioClicSuCella(int indice);
    void chiudiCon(const QString& data);

    QLabel* m_lblMese = nullptr;
    QPushButton* m_cmdMesi = nullptr;
    QListWidget* m_lstMesi = nullptr;
    QLabel* m_lblAnno = nullptr;
    QScrollBar* m_vScroll = nullptr;
    QPushButton* m_precedente = nullptr;
    QPushButton* m_successivo = nullptr;
    QFrame* m_pctCal = nullptr;
    std::array<QLabel*, Celle> m_celle{};
    QFrame* m_cornice = nullptr;
    QLabel* m_myDate = nullptr;

    int m_giorno = 1; // the day the frame marks in every month
    int m_scarto = 0; // grid cell of the month's first day, 0 = Monday
    int m_giorniMese = 31;
    bool m_noPass = true; // while the window sets itself up, no redraw
    QString m_dataScelta;
};
