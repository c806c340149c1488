#include "communication/ComunicazioneInDisparte.h"

#include "storage/Database.h"

#include <QEventLoop>
#include <QMutexLocker>
#include <QThread>
#include <memory>
#include <optional>

Esito<RisultatoComunicazione>
ComunicazioneInDisparte::esegui(const QString& fileDatabase,
                                const RichiestaComunicazione& richiesta)
{
    m_interrompi = false;
    RichiestaComunicazione interrompibile = richiesta;
    interrompibile.interruzione = &m_interrompi;
    std::optional<Esito<RisultatoComunicazione>> esito;
    std::unique_ptr<QThread> lavoro(QThread::create([&] {
        auto connessione = Database::apriEsistente(fileDatabase);
        if (!connessione) {
            esito.emplace(Errore{connessione.errore()});
            return;
        }
        esito.emplace(LeggiFoglio(*connessione.valore(), interrompibile,
                                  [this](const Avanzamento& a) { riferisci(a); }));
    }));
    QEventLoop attesa;
    connect(lavoro.get(), &QThread::finished, &attesa, &QEventLoop::quit);
    lavoro->start();
    attesa.exec();
    lavoro->wait();
    return std::move(*esito);
}

Avanzamento ComunicazioneInDisparte::avanzamento() const
{
    QMutexLocker blocco(&m_mutex);
    return m_ultimo;
}

void ComunicazioneInDisparte::riferisci(const Avanzamento& avanzamento)
{
    {
        QMutexLocker blocco(&m_mutex);
        m_ultimo = avanzamento;
    }
    emit avanzato();
}
