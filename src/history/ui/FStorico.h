#pragma once

#include "history/StoricoInvii.h"

#include <QDialog>

class Connessione;
class QPushButton;
class QTableWidget;

// The communications written for one agency, newest first: month, kind,
// file, when, how many operations and error lines, and whether the file is
// still there as written (a file edited after the run is not what the
// program wrote). "Apri cartella" opens the selected file's folder.
class FStorico : public QDialog
{
    Q_OBJECT

public:
    FStorico(const QString& nome, QList<StoricoInvii::Invio> invii, QWidget* padre = nullptr);

private:
    void riempi();
    void apriCartella();

    QList<StoricoInvii::Invio> m_invii;
    QTableWidget* m_tabella;
    QPushButton* m_apriCartella;
};

// Reads the agency's history and shows the window; a history that cannot be
// read is said in a message box instead.
void MostraStorico(const Connessione& connessione, const QString& agenzia, const QString& nome,
                   QWidget* padre);
