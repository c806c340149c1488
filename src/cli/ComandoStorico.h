#pragma once

#include "cli/Comando.h"

// The communications written for an agency, newest first.
class ComandoStorico : public Comando
{
public:
    QString nome() const override { return QStringLiteral("storico"); }
    QString uso() const override { return QStringLiteral("storico --agenzia CF"); }
    QString descrizione() const override
    {
        return QStringLiteral("Elenca le comunicazioni scritte per un'agenzia");
    }
    QString nota() const override;
    QList<Opzione> opzioni() const override;
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
