#pragma once

#include "base/Esito.h"

#include <QDialog>
#include <QString>

class Connessione;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;
struct StatoListe;

// What the lookup window needs from the window that opens it.
struct ContestoRicerca
{
    const Connessione& connessione;
    StatoListe& liste;
    QString codiceAgenzia; // the current agency's OCOD, for the customer lists
};

// Opens the lookup list of `tipo` (see DefinisciRicerca) and writes the two
// values of the picked row into `primo` and `secondo`; a value that is empty
// or only blanks is not written. The municipality list starts with the first
// field's text in its search box, the others with the second field's. Closing
// without a pick changes nothing. A list that cannot be read is reported
// with its error and nothing opens.
void ApriRicerca(QLineEdit* primo, QLineEdit* secondo, const QString& tipo,
                 ContestoRicerca& contesto, QWidget* padre);

// The lookup window "Ricerca Tabelle": one reference list with a search box;
// a double click, Enter or Space picks the current row into
// StatoListe::ValoriSelezionati and closes; Esc, "Chiudi" or a click on the
// window's background close without a pick.
class FTAB : public QDialog
{
    Q_OBJECT

public:
    // `titolo` also decides which columns a pick hands back.
    FTAB(const Connessione& connessione, StatoListe& liste, const QString& titolo,
         const QString& testoRicercaIniziale, QWidget* padre = nullptr);

    // Refills the list with the search in force.
    EsitoVuoto Lista();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;

private:
    bool tastoDiScelta(QKeyEvent* evento);
    void Cerca();
    void AnnullaCerca();
    void Scegli();
    void mostraErrore(const EsitoVuoto& esito);

    const Connessione& m_connessione;
    StatoListe& m_liste;
    QLineEdit* m_vtabella;
    QLabel* m_label2;
    QLineEdit* m_ricerca;
    QPushButton* m_cerca;
    QPushButton* m_annullaCerca;
    QPushButton* m_annulla;
    QTreeWidget* m_lista;
};
