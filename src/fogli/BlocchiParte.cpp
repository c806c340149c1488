#include "fogli/BlocchiParte.h"

#include "fogli/ArchivioZip.h"

#include <algorithm>

namespace {

constexpr qint64 kBlocco = 256 * 1024;
constexpr int kBlocchiInAttesa = 4;

} // namespace

BlocchiParte::BlocchiParte(ArchivioZip& zip, qint64 dimensione) : m_zip(zip)
{
    if (dimensione < kSogliaParallelo) {
        // The size is the package's word, so it only sizes the space: the
        // part is read to its real end whatever it says.
        m_corrente.emplace();
        m_corrente->byte.resize(
            static_cast<std::size_t>(std::clamp<qint64>(dimensione + 1, 4096, kBlocco)));
        return;
    }
    for (int i = 0; i < kBlocchiInAttesa; ++i)
        m_liberi.emplace_back(kBlocco);
    m_thread = std::thread([this] { inflaziona(); });
}

BlocchiParte::~BlocchiParte()
{
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard blocco(m_mutex);
        m_ferma = true;
    }
    m_cambiato.notify_all();
    m_thread.join();
}

BloccoParte BlocchiParte::leggiBlocco(std::vector<char> spazio)
{
    BloccoParte blocco;
    blocco.byte = std::move(spazio);
    auto letti = m_zip.leggiBlocco(blocco.byte.data(), static_cast<qint64>(blocco.byte.size()));
    if (letti)
        blocco.lunghezza = *letti;
    else
        blocco.errore = Errore{letti.errore()};
    return blocco;
}

void BlocchiParte::inflaziona()
{
    for (;;) {
        std::vector<char> spazio;
        {
            std::unique_lock attesa(m_mutex);
            m_cambiato.wait(attesa, [this] { return m_ferma || !m_liberi.empty(); });
            if (m_ferma)
                return;
            spazio = std::move(m_liberi.back());
            m_liberi.pop_back();
        }
        BloccoParte blocco = leggiBlocco(std::move(spazio));
        const bool ultimo = blocco.errore || blocco.lunghezza == 0;
        {
            std::lock_guard accoda(m_mutex);
            m_pronti.push_back(std::move(blocco));
        }
        m_cambiato.notify_all();
        if (ultimo)
            return;
    }
}

Esito<QByteArrayView> BlocchiParte::prossimo()
{
    if (m_finito)
        return QByteArrayView();
    if (!m_thread.joinable()) {
        m_corrente = leggiBlocco(std::move(m_corrente->byte));
    } else {
        std::unique_lock attesa(m_mutex);
        if (m_corrente)
            m_liberi.push_back(std::move(m_corrente->byte));
        m_cambiato.notify_all();
        m_cambiato.wait(attesa, [this] { return !m_pronti.empty(); });
        m_corrente = std::move(m_pronti.front());
        m_pronti.pop_front();
    }
    if (m_corrente->errore) {
        m_finito = true;
        return *m_corrente->errore;
    }
    m_finito = m_corrente->lunghezza == 0;
    return QByteArrayView(m_corrente->byte.data(), m_corrente->lunghezza);
}
