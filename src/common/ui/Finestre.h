#pragma once

class QPushButton;
class QString;
class QWidget;

namespace Finestre {
// Places a window in the middle of its screen.
void centra(QWidget* finestra);
// A button with the object name the tests find it by.
QPushButton* pulsante(const char* nome, const QString& testo, QWidget* padre);
} // namespace Finestre
