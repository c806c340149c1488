#pragma once

#include <QColor>

// Background of an input field with the focus (light yellow) and without it
// (white). Every window paints its fields with these two.
inline constexpr QColor ColoreFocus{0xFF, 0xFF, 0xC0};
inline constexpr QColor ColoreNormale{0xFF, 0xFF, 0xFF};

// A field pointed at as wrong: white text on red while its message is shown.
inline constexpr QColor ColoreErrore{0xFF, 0x00, 0x00};
inline constexpr QColor ColoreTestoErrore{0xFF, 0xFF, 0xFF};
