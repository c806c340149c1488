#pragma once

class QWidget;

namespace Finestre {
// Places a window in the middle of its screen.
void centra(QWidget* finestra);
} // namespace Finestre
