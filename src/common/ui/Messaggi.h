#pragma once

#include <QString>

class QWidget;

// Every message box of the program goes through here, so that tests drive the
// real windows and read what they would have shown (they put another Schermo in
// place of Qt's boxes).
namespace Messaggi {

enum class Icona
{
    Nessuna,
    Informazione,
    Domanda,
    Avviso,
    Critica
};
enum class Risposta
{
    Ok,
    Si,
    No
};

// A box with the OK button only.
void mostra(QWidget* padre, const QString& testo, const QString& titolo,
            Icona icona = Icona::Nessuna);
// A Yes/No question; `predefinita` is the button that Enter presses.
Risposta chiedi(QWidget* padre, const QString& testo, const QString& titolo,
                Icona icona = Icona::Domanda, Risposta predefinita = Risposta::No);

// A box as the program asks for it.
struct Mostrato
{
    QString testo;
    QString titolo;
    Icona icona = Icona::Nessuna;
    bool domanda = false;
    Risposta predefinita = Risposta::Ok;
};

// What shows the boxes: Qt's message boxes unless another is put in its place.
class Schermo
{
public:
    virtual ~Schermo() = default;
    // The button pressed; a box without a question answers Ok.
    virtual Risposta presenta(QWidget* padre, const Mostrato& box) = 0;
};

// From now on the boxes go to `schermo` (nullptr: Qt's boxes again); returns
// the one it replaces, for the caller to put back.
Schermo* sostituisci(Schermo* schermo);

} // namespace Messaggi
