#pragma once

#include <QLatin1StringView>
#include <QStringView>

// Judges a customer's tax code as read from the monthly sheet.
//
// An 11-character text is the numeric code of a company (partita IVA or
// numeric codice fiscale): it is acceptable when it holds no letter A-Z in
// either case; it carries no check digit that this program verifies.
//
// Any other text is a person's 16-character codice fiscale: upper-cased,
// padded with blanks or cut to 16 characters, and judged by its check
// character. Letters standing where digits belong (codes re-issued for
// homonyms) are valued like any letter, so such codes pass when their check
// letter fits.
//
// Returns 0 when the code is acceptable. Otherwise 1 for the 11-character
// shape, and for the 16-character shape the character code that the first
// fifteen characters call for as check character. Callers test only 0 / not 0.
int ControllaCF(QStringView codice);
// The same for a code read as bytes of Latin-1 (an ASCII line of a CSV file).
int ControllaCF(QLatin1StringView codice);
