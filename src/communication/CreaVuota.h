#pragma once

#include "base/Esito.h"

#include <QString>

struct DatiAgenzia;

// The communication of a month without operations: record A, always as an
// ordinary sending whatever `agenzia.tipoInvio` says, and record Z counting
// no records. Written aside and put in place when complete.
EsitoVuoto CreaVuota(const DatiAgenzia& agenzia, const QString& percorso);

// The names the save dialogs propose: "COAM_" + year + month + "_" + the first
// ten letters of NomeFile of the agency's name, then ".TXT" for a
// communication from a sheet or "-VUOTA.TXT" for the empty one.
QString NomeComunicazione(const QString& anno, const QString& mese, const QString& nomeAgenzia);
QString NomeComunicazioneVuota(const QString& anno, const QString& mese,
                               const QString& nomeAgenzia);
