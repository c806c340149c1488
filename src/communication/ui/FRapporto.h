#pragma once

#include "communication/LetturaRapporto.h"

#include <QDialog>

class QLineEdit;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// The error report inside the program, for a desktop where no program opens
// ERRORE_IMPORT.TXT: its lines as a table (row, field, wrong value, subject)
// to sort, filter and copy, with the report's file and folder a click away.
// The file itself is only read.
class FRapporto : public QDialog
{
    Q_OBJECT

public:
    FRapporto(const QString& percorso, const ContenutoRapporto& contenuto,
              QWidget* padre = nullptr);

    // The lines shown, as copied: tab-separated, the headings first.
    QString testoVisibile() const;

private:
    void riempi(const ContenutoRapporto& contenuto);
    void copia();

    QString m_percorso;
    QStandardItemModel* m_modello;
    QSortFilterProxyModel* m_filtro;
    QTableView* m_tabella;
};

// Reads the report and shows the window; a missing or unreadable report is
// said in a message box instead.
void MostraRapportoErrori(const QString& percorso, QWidget* padre);
