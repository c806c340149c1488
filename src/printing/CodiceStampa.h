#pragma once

#include "base/Esito.h"

// The numbers of the report layer's failures, carried in Errore::numero. The
// print window and the CLI show the number beside the description
// ("Errore: 3  ..."), and it tells the assistance line at a glance what went
// wrong. An enum in a namespace, not an enum class, so that a code is the
// number itself: Errore{descrizione, CodiceStampa::Dati}.
namespace CodiceStampa {

enum Codice : int
{
    ModelloMancante = 1,  // the template file is missing or unreadable
    ModelloNonValido = 2, // the template's text breaks the format
    NomeSconosciuto = 3,  // a dataset or connection the template does not declare, or no SQL for it
    Connessione = 4,      // the database named by the connection string does not open
    Dati = 5,             // the dataset's SQL fails
    Scrittura = 6,        // the PDF file cannot be written
    Pagina = 7,           // the page cannot hold the list (margins or font too large)
    Interrotta = 8,       // the user stopped the run ("Interrompi"): nothing written
};

} // namespace CodiceStampa
