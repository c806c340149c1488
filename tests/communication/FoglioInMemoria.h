#pragma once

#include "communication/FoglioOperazioni.h"
#include "fogli/LettoreFoglio.h"

#include <QStringList>
#include <optional>
#include <vector>

// A sheet held in memory: its rows as the readers give them, and optionally
// an error of the run in place of one row.
class FoglioInMemoria final : public LettoreFoglio
{
public:
    explicit FoglioInMemoria(int primaRiga = 3) : m_prossimoNumero(primaRiga) {}

    // A row from its first columns; the rest stay empty.
    FoglioInMemoria& riga(const QStringList& colonne)
    {
        RigaFoglio r;
        r.numero = m_prossimoNumero++;
        r.valori.resize(kColonneFoglio);
        for (int i = 0; i < colonne.size() && i < kColonneFoglio; ++i)
            r.valori[static_cast<size_t>(i)] = colonne[i];
        m_righe.push_back(std::move(r));
        return *this;
    }

    FoglioInMemoria& errore(const QString& descrizione)
    {
        m_errore = m_righe.size();
        m_descrizioneErrore = descrizione;
        return *this;
    }

    Esito<bool> leggi(RigaFoglio& r) override
    {
        if (m_errore && *m_errore == m_letto)
            return Errore{m_descrizioneErrore};
        if (m_letto == m_righe.size())
            return false;
        r = m_righe[m_letto++];
        return true;
    }

private:
    int m_prossimoNumero;
    std::vector<RigaFoglio> m_righe;
    size_t m_letto = 0;
    std::optional<size_t> m_errore;
    QString m_descrizioneErrore;
};
