#pragma once

#include "cli/Comando.h"

// Writes the empty communication of an agency for a month without operations.
class ComandoVuota : public Comando
{
public:
    QString nome() const override { return QStringLiteral("vuota"); }
    QString uso() const override
    {
        return QStringLiteral(
            "vuota --agenzia CF --output FILE [--anno AAAA --mese MM] [--sovrascrivi]");
    }
    QString descrizione() const override
    {
        return QStringLiteral("Crea la comunicazione mensile OAM VUOTA");
    }
    QList<Opzione> opzioni() const override;
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
