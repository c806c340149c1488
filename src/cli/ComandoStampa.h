#pragma once

#include "cli/Comando.h"

// Writes an agency's yearly list of operations or of variation notes as a PDF,
// from the same templates as the print window.
class ComandoStampa : public Comando
{
public:
    QString nome() const override { return QStringLiteral("stampa"); }
    QString uso() const override
    {
        return QStringLiteral(
            "stampa --agenzia CF --elenco operazioni|note [--anno AAAA] --pdf FILE");
    }
    QString descrizione() const override
    {
        return QStringLiteral("Crea il PDF dell'elenco annuale (anno predefinito: il precedente)");
    }
    QList<Opzione> opzioni() const override;
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
