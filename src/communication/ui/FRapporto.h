#pragma once

#include "communication/LetturaRapporto.h"

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStandardItemModel;
class QTableView;

// The error report inside the program, for a desktop where no program opens
// ERRORE_IMPORT.TXT: its lines as a table (row, field, wrong value, subject)
// to sort, filter and copy, with the report's file and folder a click away.
// The same window shows the advice of AVVISI_IMPORT.TXT, with its reasons.
// The file itself is only read.
class FRapporto : public QDialog
{
    Q_OBJECT

public:
    enum class Tipo
    {
        errori,
        avvisi
    };

    FRapporto(const QString& percorso, const ContenutoRapporto& contenuto, Tipo tipo = Tipo::errori,
              QWidget* padre = nullptr);

    // Adds the button "Avvisi" that opens the advice of the same run.
    void offriAvvisi(const QString& fileAvvisi);

    // The lines shown, as copied: tab-separated, the headings first.
    QString testoVisibile() const;

private:
    void riempi(const ContenutoRapporto& contenuto);
    void copia();

    QString m_percorso;
    QString m_fileAvvisi;
    Tipo m_tipo;
    QStringList m_intestazioni;
    QPushButton* m_avvisi;
    QStandardItemModel* m_modello;
    QSortFilterProxyModel* m_filtro;
    QTableView* m_tabella;
};

// Reads the report and shows the window; a missing or unreadable report is
// said in a message box instead. With `fileAvvisi` the window offers the
// advice of the same run too.
void MostraRapportoErrori(const QString& percorso, QWidget* padre,
                          const QString& fileAvvisi = QString());
// The same for the advice, AVVISI_IMPORT.TXT.
void MostraAvvisi(const QString& percorso, QWidget* padre);
