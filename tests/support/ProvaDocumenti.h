#pragma once

#include "common/ui/Documenti.h"

// While one exists nothing is opened or started: each request is recorded.
class ProvaDocumenti final : public Documenti::Sistema
{
public:
    ProvaDocumenti() : m_precedente(Documenti::sostituisci(this)) {}
    ~ProvaDocumenti() override { Documenti::sostituisci(m_precedente); }
    ProvaDocumenti(const ProvaDocumenti&) = delete;
    ProvaDocumenti& operator=(const ProvaDocumenti&) = delete;

    const QStringList& aperti() const { return m_aperti; }
    const QStringList& avviati() const { return m_avviati; }

    void apri(const QString& percorso) override { m_aperti << percorso; }
    void avvia(const QString& programma, const QStringList& argomenti) override
    {
        m_avviati << (QStringList{programma} + argomenti).join(QLatin1Char(' '));
    }

private:
    Documenti::Sistema* m_precedente;
    QStringList m_aperti;
    QStringList m_avviati;
};
