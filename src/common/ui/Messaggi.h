#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every message box of the program goes through here, so that tests drive the
// real windows and read what they would have shown (see ProvaMessaggi).
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

struct Mostrato
{
    QString testo;
    QString titolo;
    Icona icona = Icona::Nessuna;
    bool domanda = false;
    Risposta predefinita = Risposta::Ok;
};

} // namespace Messaggi

// While one exists, no box is shown: each is recorded, and questions take the
// queued answers in order (the box's default button when the queue is empty).
class ProvaMessaggi
{
public:
    ProvaMessaggi();
    ~ProvaMessaggi();
    ProvaMessaggi(const ProvaMessaggi&) = delete;
    ProvaMessaggi& operator=(const ProvaMessaggi&) = delete;

    void rispondi(Messaggi::Risposta risposta);
    const QList<Messaggi::Mostrato>& mostrati() const;
    // The last box shown; an empty record when none was.
    Messaggi::Mostrato ultimo() const;
    void azzera();
};
