#pragma once

#include "common/ui/Documenti.h"
#include "support/Sostituto.h"

// While one exists nothing is opened or started: each request is recorded.
class ProvaDocumenti final : public Sostituto<Documenti::Sistema, &Documenti::sostituisci>
{
public:
    const QStringList& aperti() const { return m_aperti; }
    const QStringList& avviati() const { return m_avviati; }

    void apri(const QString& percorso) override { m_aperti << percorso; }
    void avvia(const QString& programma, const QStringList& argomenti) override
    {
        m_avviati << (QStringList{programma} + argomenti).join(QLatin1Char(' '));
    }

private:
    QStringList m_aperti;
    QStringList m_avviati;
};
