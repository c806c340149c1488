#include "common/ui/Messaggi.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <utility>

namespace {

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

class BoxQt final : public Messaggi::Schermo
{
public:
    Messaggi::Risposta presenta(QWidget* padre, const Messaggi::Mostrato& m) override
    {
        using Messaggi::Risposta;
        if (!m.domanda) {
            QMessageBox box(iconaQt(m.icona), m.titolo, m.testo, QMessageBox::Ok, padre);
            box.exec();
            return Risposta::Ok;
        }
        QMessageBox box(iconaQt(m.icona), m.titolo, m.testo, QMessageBox::Yes | QMessageBox::No,
                        padre);
        box.setDefaultButton(m.predefinita == Risposta::Si ? QMessageBox::Yes : QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Sì"));
        box.button(QMessageBox::No)->setText(QStringLiteral("No"));
        return box.exec() == QMessageBox::Yes ? Risposta::Si : Risposta::No;
    }
};

Messaggi::Schermo* g_schermo = nullptr; // nullptr: Qt's boxes

Messaggi::Schermo& schermo()
{
    static BoxQt qt;
    return g_schermo ? *g_schermo : qt;
}

} // namespace

void Messaggi::mostra(QWidget* padre, const QString& testo, const QString& titolo, Icona icona)
{
    schermo().presenta(padre, {testo, titolo, icona, false, Risposta::Ok});
}

Messaggi::Risposta Messaggi::chiedi(QWidget* padre, const QString& testo, const QString& titolo,
                                    Icona icona, Risposta predefinita)
{
    return schermo().presenta(padre, {testo, titolo, icona, true, predefinita});
}

Messaggi::Schermo* Messaggi::sostituisci(Schermo* nuovo)
{
    return std::exchange(g_schermo, nuovo);
}
