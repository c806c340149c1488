#pragma once

#include <QDialog>

class QLineEdit;

// Asks how a CSV sheet is laid out: the separator and the first data line.
// Closing it otherwise than by "Conferma Import CSV" counts as "Chiudi".
class FCsv : public QDialog
{
    Q_OBJECT

public:
    FCsv(const QString& foglio, const QString& separatore, const QString& primaRiga,
         QWidget* padre = nullptr);

    // Empty when the user closed the dialog without confirming.
    QString SeparatoreCsv() const { return m_separatore; }
    QString PrimaRigaCsv() const { return m_primaRiga; }

private:
    void conferma();

    QLineEdit* m_vCarSep;
    QLineEdit* m_vPRD;
    QString m_separatore;
    QString m_primaRiga;
};
