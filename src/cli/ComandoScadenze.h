#pragma once

#include "cli/Comando.h"

// How every agency stands with a month: "OCOD;ORAG;STATO;FILE" a line, in the
// order of the agency list; exit code 1 when one still has to be sent or was
// sent with errors.
class ComandoScadenze : public Comando
{
public:
    QString nome() const override { return QStringLiteral("scadenze"); }
    QString uso() const override { return QStringLiteral("scadenze [--mese AAAA-MM]"); }
    QString descrizione() const override
    {
        return QStringLiteral("Elenca lo stato della comunicazione del mese di ogni agenzia");
    }
    QString nota() const override;
    QList<Opzione> opzioni() const override;
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
