#pragma once

#include "shell/Configurazione.h"
#include "storage/Connessione.h"

#include <QString>
#include <memory>

namespace ElenchiAnnuali {
struct ContestoStampa;
}

// The agency selected in the agency window; read by every command that works
// on "the current agency". Written only by the agency window.
struct AgenziaCorrente
{
    QString codice;          // its OCOD; empty when none is selected
    QString daRiselezionare; // the code to select after the next reload of the list
    QString nome;            // company name, or surname and first name joined without a blank
};

// The state shared by the whole run, made once at start-up.
struct Ambiente
{
    QString cartella;     // the application folder
    QString cartellaDati; // the shared system files (CartellaDati)
    Configurazione configurazione;
    QString stringaConnessione; // how sibling programs and the report layer find the database
    std::unique_ptr<Connessione> connessione;

    AgenziaCorrente agenziaCorrente;
    QString formAttivo; // "FOPC" once the agency window has loaded
    QString modoSalva;  // "S" backup, "R" restore

    // CSV import settings, as last chosen.
    QString separatoreCsv = QStringLiteral(";");
    QString primaRigaCsv = QStringLiteral("3");

    const Connessione& db() const { return *connessione; }
};

// The yearly lists of the current agency, as the report layer wants them.
ElenchiAnnuali::ContestoStampa contestoStampa(const Ambiente& ambiente);
