#include "shell/Avvio.h"

#include "history/StoricoInvii.h"
#include "shell/Cartelle.h"
#include "shell/Descrittore.h"
#include "shell/ImportaAgenzieCollegate.h"
#include "shell/ImportaDivise.h"
#include "storage/Database.h"

#include <QDir>

namespace {

// Folders and the descriptor serve sibling programs: a failure here must not
// keep the user out of this one.
void preparaCartellaDati(const Ambiente& ambiente)
{
    const QDir dati(ambiente.cartellaDati);
    dati.mkpath(QStringLiteral("SYSTEM"));
    dati.mkpath(QStringLiteral("SYSTEM32"));
    (void)Descrittore::scrivi(dati.filePath(QStringLiteral("SYSTEM/") + Descrittore::nomeProprio),
                              {ambiente.stringaConnessione, ambiente.configurazione.tipoDb,
                               QDir::toNativeSeparators(ambiente.cartella), QString()});
}

} // namespace

Esito<std::unique_ptr<Ambiente>> Avvio(const QString& cartellaRichiesta,
                                       const QString& cartellaEseguibile)
{
    auto ambiente = std::make_unique<Ambiente>();
    ambiente->cartella = Cartelle::applicazione(cartellaRichiesta, cartellaEseguibile);
    if (auto preparata = Cartelle::preparaApplicazione(ambiente->cartella); !preparata)
        return Errore{preparata.errore()};
    ambiente->configurazione = Configurazione::leggi(Cartelle::fileIni(ambiente->cartella));

    const QString fileDatabase = Cartelle::fileDatabase(ambiente->cartella);
    ambiente->stringaConnessione = Connessione::stringaConnessione(fileDatabase);
    auto connessione = Database::apri(fileDatabase);
    if (!connessione)
        return Errore{connessione.errore()};
    ambiente->connessione = std::move(connessione).valore();
    // An older database gains the history of the communications here.
    if (auto storico = StoricoInvii::prepara(ambiente->db()); !storico)
        return Errore{storico.errore()};

    ambiente->cartellaDati = Cartelle::dati(ambiente->configurazione.pcDirF, ambiente->cartella);
    preparaCartellaDati(*ambiente);
    ImportaAgenzieCollegate(ambiente->db(), ambiente->cartellaDati);
    if (auto divise = ImportaDivise(ambiente->db(), Cartelle::fileDivise(ambiente->cartella));
        !divise)
        return Errore{divise.errore()};
    return ambiente;
}
