#pragma once

class Connessione;
class QString;

// A new installation beside the sibling exchange-register program starts with
// that program's agencies: when COPE is empty and the sibling's descriptor is
// found in CartellaDati/SYSTEM, its agencies are copied in. Any failure (no
// descriptor, a database that cannot be opened, a row that cannot be written)
// only means fewer agencies are copied: start-up goes on. Returns how many
// agencies were written.
int ImportaAgenzieCollegate(const Connessione& connessione, const QString& cartellaDati);
