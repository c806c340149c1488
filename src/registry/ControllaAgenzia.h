#pragma once

#include "registry/Agenzia.h"

#include <optional>

// The first rule an agency breaks: the field to point at and the message.
struct CampoErrato
{
    QString campo; // the window's field name ("tOCOD", "vOSCOM", ...)
    QString messaggio;
};

// What a save does to every field first: no leading blanks, upper case
// (trailing blanks stay).
QString normalizzaCampo(const QString& testo);
void normalizza(Agenzia& agenzia);

// The checks before an agency is saved, in the order the window applies
// them; the first that fails is returned. Only presence is checked: the
// codice fiscale and partita IVA are not validated for form here.
std::optional<CampoErrato> Controlla(const Agenzia& agenzia);
