#include "fogli/RigheInParallelo.h"

namespace {

constexpr std::size_t kRigheLotto = 512;
constexpr std::size_t kLottiInAttesa = 8;

} // namespace

RigheInParallelo::RigheInParallelo(Lettura lettura)
    : m_lettura(std::move(lettura)), m_thread([this] { leggiTutto(); })
{
}

RigheInParallelo::~RigheInParallelo()
{
    {
        std::lock_guard blocco(m_mutex);
        m_ferma = true;
    }
    m_cambiato.notify_all();
    m_thread.join();
}

void RigheInParallelo::leggiTutto()
{
    for (;;) {
        Lotto lotto;
        lotto.righe.reserve(kRigheLotto);
        while (lotto.righe.size() < kRigheLotto) {
            RigaFoglio riga;
            auto esito = m_lettura(riga);
            if (!esito) {
                lotto.errore = Errore{esito.errore()};
                lotto.ultimo = true;
                break;
            }
            if (!*esito) {
                lotto.ultimo = true;
                break;
            }
            lotto.righe.push_back(std::move(riga));
        }
        const bool ultimo = lotto.ultimo;
        {
            std::unique_lock attesa(m_mutex);
            m_cambiato.wait(attesa, [this] { return m_ferma || m_pronti.size() < kLottiInAttesa; });
            if (m_ferma)
                return;
            m_pronti.push_back(std::move(lotto));
        }
        m_cambiato.notify_all();
        if (ultimo)
            return;
    }
}

Esito<bool> RigheInParallelo::leggi(RigaFoglio& riga)
{
    if (m_finito)
        return false;
    while (m_prossima == m_corrente.righe.size()) {
        if (m_corrente.errore) {
            m_finito = true;
            return *m_corrente.errore;
        }
        if (m_corrente.ultimo) {
            m_finito = true;
            return false;
        }
        {
            std::unique_lock attesa(m_mutex);
            m_cambiato.wait(attesa, [this] { return !m_pronti.empty(); });
            m_corrente = std::move(m_pronti.front());
            m_pronti.pop_front();
        }
        m_cambiato.notify_all();
        m_prossima = 0;
    }
    riga = std::move(m_corrente.righe[m_prossima++]);
    return true;
}
