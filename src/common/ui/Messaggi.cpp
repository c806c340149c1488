#include "common/ui/Messaggi.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QQueue>

namespace {

struct StatoProva
{
    bool attivo = false;
    QQueue<Messaggi::Risposta> risposte;
    QList<Messaggi::Mostrato> mostrati;
};

StatoProva& prova()
{
    static StatoProva stato;
    return stato;
}

QMessageBox::Icon iconaQt(Messaggi::Icona icona)
{
    switch (icona) {
    case Messaggi::Icona::Informazione:
        return QMessageBox::Information;
    case Messaggi::Icona::Domanda:
        return QMessageBox::Question;
    case Messaggi::Icona::Avviso:
        return QMessageBox::Warning;
    case Messaggi::Icona::Critica:
        return QMessageBox::Critical;
    case Messaggi::Icona::Nessuna:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void Messaggi::mostra(QWidget* padre, const QString& testo, const QString& titolo, Icona icona)
{
    if (prova().attivo) {
        prova().mostrati.append({testo, titolo, icona, false, Risposta::Ok});
        if (!prova().risposte.isEmpty())
            prova().risposte.dequeue();
        return;
    }
    QMessageBox box(iconaQt(icona), titolo, testo, QMessageBox::Ok, padre);
    box.exec();
}

Messaggi::Risposta Messaggi::chiedi(QWidget* padre, const QString& testo, const QString& titolo,
                                    Icona icona, Risposta predefinita)
{
    if (prova().attivo) {
        prova().mostrati.append({testo, titolo, icona, true, predefinita});
        return prova().risposte.isEmpty() ? predefinita : prova().risposte.dequeue();
    }
    QMessageBox box(iconaQt(icona), titolo, testo, QMessageBox::Yes | QMessageBox::No, padre);
    box.setDefaultButton(predefinita == Risposta::Si ? QMessageBox::Yes : QMessageBox::No);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
    box.button(QMessageBox::No)->setText(QStringLiteral("No"));
    return box.exec() == QMessageBox::Yes ? Risposta::Si : Risposta::No;
}

ProvaMessaggi::ProvaMessaggi()
{
    azzera();
    prova().attivo = true;
}

ProvaMessaggi::~ProvaMessaggi()
{
    azzera();
    prova().attivo = false;
}

void ProvaMessaggi::rispondi(Messaggi::Risposta risposta)
{
    prova().risposte.enqueue(risposta);
}

const QList<Messaggi::Mostrato>& ProvaMessaggi::mostrati() const
{
    return prova().mostrati;
}

Messaggi::Mostrato ProvaMessaggi::ultimo() const
{
    return prova().mostrati.isEmpty() ? Messaggi::Mostrato{} : prova().mostrati.last();
}

void ProvaMessaggi::azzera()
{
    prova().risposte.clear();
    prova().mostrati.clear();
}
