#pragma once

#include "history/StoricoInvii.h"

#include <QColor>

// The background of a month's state, the same in the month strip and in the
// deadlines. The state's word is always written on it: the colour only helps
// the eye run along a row, it never says anything alone.
inline QColor ColoreStato(StoricoInvii::Stato stato)
{
    switch (stato) {
    case StoricoInvii::Stato::creata:
        return {0xC8, 0xE6, 0xC9}; // green: written from the sheet without errors
    case StoricoInvii::Stato::vuota:
        return {0xB3, 0xE5, 0xFC}; // blue: a month without operations, also done
    case StoricoInvii::Stato::conErrori:
        return {0xFF, 0xCC, 0x80}; // orange: written, with rows that failed their checks
    case StoricoInvii::Stato::mancante:
        break;
    }
    return {0xEE, 0xEE, 0xEE};
}

// What the accountant must look at: a deadline passed with nothing good
// written for the month, a file changed or gone since it was written.
inline constexpr QColor ColoreAllarme{0xFF, 0xCD, 0xD2};
