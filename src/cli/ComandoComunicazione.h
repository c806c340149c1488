#pragma once

#include "cli/Comando.h"

// Writes the monthly communication of an agency from an Excel or CSV sheet,
// with the checks and the error report of the agency window's command.
class ComandoComunicazione : public Comando
{
public:
    QString nome() const override { return QStringLiteral("comunicazione"); }
    QString uso() const override
    {
        return QStringLiteral(
            "comunicazione --agenzia CF --foglio FILE --output FILE [--anno AAAA --mese MM] "
            "[--sostitutiva] [--separatore ;] [--prima-riga 3] [--sovrascrivi]");
    }
    QString descrizione() const override
    {
        return QStringLiteral("Crea la comunicazione mensile OAM da un foglio Excel o CSV");
    }
    QList<Opzione> opzioni() const override;
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
