#include "communication/ComunicazioneInDisparte.h"

#include "storage/Database.h"

#include <QEventLoop>
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
                                  [this](const Avanzamento& a) { emit avanzato(a); }));
    }));
    QEventLoop attesa;
    connect(lavoro.get(), &QThread::finished, &attesa, &QEventLoop::quit);
    lavoro->start();
    attesa.exec();
    lavoro->wait();
    return std::move(*esito);
}
