#pragma once

#include "cli/Comando.h"

// Writes the backup archive of one agency.
class ComandoSalva : public Comando
{
public:
    QString nome() const override { return QStringLiteral("salva"); }
    QString uso() const override { return QStringLiteral("salva --agenzia CF [--output FILE]"); }
    QString descrizione() const override
    {
        return QStringLiteral("Crea l'archivio di backUp di un'agenzia");
    }
    QList<Opzione> opzioni() const override;
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
