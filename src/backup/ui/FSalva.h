#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QProgressBar;
class QPushButton;
struct Ambiente;

// The backup and restore window, in the mode the main window set in
// ModoSalva: "S" writes the current agency's archive, "R" restores one.
class FSalva : public QDialog
{
    Q_OBJECT

public:
    explicit FSalva(Ambiente& ambiente, QWidget* padre = nullptr);

    // Asks for the file and shows the window modally. A file that is not an
    // archive is refused here and the window never shows.
    int mostra();

    // Opening the window: the file dialog of the mode and, for a restore, the
    // check of the chosen file. False when the window must close at once.
    bool prepara();

    // "Conferma": runs the save or the restore on the chosen file.
    void conferma();

    const QString& fileScelto() const { return m_file; }

private:
    bool preparaRipristino();
    void preparaSalvataggio();
    // One step of PBar1, which starts again at 1 when it is full.
    void passo();

    Ambiente& m_ambiente;
    bool m_ripristino = false;
    QString m_file;
    QString m_codiceArchivio;
    QLabel* m_titolo = nullptr;
    QLabel* m_agenzia = nullptr;
    QLabel* m_domanda = nullptr;
    QProgressBar* m_barra = nullptr;
    QPushButton* m_conferma = nullptr;
    QPushButton* m_chiudi = nullptr;
};
