#pragma once

#include "history/Scadenze.h"

#include <QDialog>

class Connessione;
class QDateEdit;
class QModelIndex;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// The deadlines of one month for every agency: which have their
// communication and which are still to do, and how many days are left before
// OAM's 15th. "Apri agenzia" (or a double click on a row) closes the window
// with that agency chosen, for the caller to open it.
class FScadenze : public QDialog
{
    Q_OBJECT

public:
    explicit FScadenze(const Connessione& connessione, QWidget* padre = nullptr);

    // After "Apri agenzia": the agency chosen (OCOD) and the month shown.
    const QString& agenziaScelta() const { return m_scelta; }
    int anno() const;
    int mese() const;

private:
    void aggiorna();
    void riempi(const QList<Scadenze::Riga>& righe);
    void apri(const QModelIndex& indice);

    const Connessione& m_connessione;
    QString m_scelta;
    QDateEdit* m_mese;
    QStandardItemModel* m_modello;
    QSortFilterProxyModel* m_ordine;
    QTableView* m_tabella;
    QPushButton* m_apriAgenzia;
};
