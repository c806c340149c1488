#pragma once

#include "cli/Comando.h"

// Creates or updates an agency with the same normalisation and checks as the
// agency window: options not given keep the stored values.
class ComandoAgenzia : public Comando
{
public:
    QString nome() const override { return QStringLiteral("agenzia"); }
    QString uso() const override
    {
        return QStringLiteral("agenzia --codice CF [--tipo PNF|PF] [campi]");
    }
    QString descrizione() const override
    {
        return QStringLiteral(
            "Registra o aggiorna un'agenzia (zefirante-cli agenzia --help per i campi)");
    }
    QList<Opzione> opzioni() const override;
    QString nota() const override
    {
        return QStringLiteral("I campi non indicati restano quelli registrati.");
    }
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
