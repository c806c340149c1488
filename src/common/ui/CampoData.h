#pragma once

class QLineEdit;

// A date field: checks its text and rewrites it as dd/mm/yyyy, or points the
// user at it with "Data non valida" (an empty text too). True when the field
// now holds a valid date.
bool ControllaCampoData(QLineEdit* campo);

// Lets the user pick the field's date from the calendar; a date picked there
// replaces the field's text, a cancelled calendar leaves it as it was.
void ScegliData(QLineEdit* campo);
