#pragma once

#include "cli/Comando.h"

// Restores an agency from a backup archive, after a safety copy of its data.
class ComandoRipristina : public Comando
{
public:
    QString nome() const override { return QStringLiteral("ripristina"); }
    QString uso() const override { return QStringLiteral("ripristina FILE"); }
    QString descrizione() const override
    {
        return QStringLiteral("Ripristina un'agenzia da un archivio di backUp (*.ZFOAM)");
    }
    QList<std::pair<QString, QString>> posizionali() const override
    {
        return {{QStringLiteral("FILE"),
                 QStringLiteral("archivio di backUp scritto da salva o da Funzioni > Salva")}};
    }
    int esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
               QTextStream& err) override;
};
