#include "common/ui/CampoData.h"

#include "base/Date.h"
#include "common/ui/FCale.h"
#include "common/ui/SegnalaErrore.h"

#include <QLineEdit>

bool ControllaCampoData(QLineEdit* campo)
{
    QString copia = campo->text();
    QString dataNormalizzata;
    if (ControllaData(copia, &dataNormalizzata) == 2) {
        campo->setText(dataNormalizzata);
        return true;
    }
    QString messaggio = QStringLiteral("Data non valida");
    SegnalaErrore(campo, messaggio);
    return false;
}

void ScegliData(QLineEdit* campo)
{
    FCale calendario(campo ? campo->window() : nullptr);
    calendario.exec();
    if (campo && !calendario.dataScelta().isEmpty())
        campo->setText(calendario.dataScelta());
}
