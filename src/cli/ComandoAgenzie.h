#pragma once

#include "cli/Comando.h"

// Lists the agencies as "OCOD;ORAG", in the order of the agency window's list.
class ComandoAgenzie : public Comando
{
public:
    QString nome() const override { return QStringLiteral("agenzie"); }
    QString uso() const override { return QStringLiteral("agenzie"); }
    QString descrizione() const override
    {
        return QStringLiteral("Elenca le agenzie (codice fiscale;ragione sociale)");
    }
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
