#include "communication/ComunicazioneInDisparte.h"

#include "storage/Database.h"

#include <optional>

Esito<RisultatoComunicazione>
ComunicazioneInDisparte::esegui(const QString& fileDatabase,
                                const RichiestaComunicazione& richiesta)
{
    std::optional<Esito<RisultatoComunicazione>> esito;
    inDisparte([&](const Interruzione& interruzione) {
        RichiestaComunicazione interrompibile = richiesta;
        interrompibile.interruzione = &interruzione;
        auto connessione = Database::apriEsistente(fileDatabase);
        if (!connessione) {
            esito.emplace(Errore{connessione.errore()});
            return;
        }
        esito.emplace(LeggiFoglio(*connessione.valore(), interrompibile,
                                  [this](const Avanzamento& a) { emit avanzato(a); }));
    });
    return std::move(*esito);
}
