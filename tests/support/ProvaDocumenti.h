#pragma once

#include "common/ui/Documenti.h"
#include "support/Sostituto.h"

// While one exists nothing is opened or started: each request is recorded.
// Opening succeeds unless the test says that no program opens documents.
class ProvaDocumenti final : public Sostituto<Documenti::Sistema, &Documenti::sostituisci>
{
public:
    const QStringList& aperti() const { return m_aperti; }
    const QStringList& avviati() const { return m_avviati; }

    void nessunProgramma() { m_apre = false; }

    bool apri(const QString& percorso) override
    {
        m_aperti << percorso;
        return m_apre;
    }
    void avvia(const QString& programma, const QStringList& argomenti) override
    {
        m_avviati << (QStringList{programma} + argomenti).join(QLatin1Char(' '));
    }

private:
    QStringList m_aperti;
    QStringList m_avviati;
    bool m_apre = true;
};
