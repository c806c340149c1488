#pragma once

#include <QString>

// The base of every proposed file name: the letters A to Z of a name,
// upper-cased, at most 20 ("Rossi Cambi S.r.l." -> "ROSSICAMBISRL").
QString NomeFile(const QString& testo);
