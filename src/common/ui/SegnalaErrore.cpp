#include "common/ui/SegnalaErrore.h"

#include "common/ui/Colori.h"
#include "common/ui/Messaggi.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace {

constexpr qsizetype LarghezzaMessaggio = 50;

void colora(QWidget* campo, const QColor& sfondo, const QColor& testo)
{
    QPalette tavolozza = campo->palette();
    tavolozza.setColor(QPalette::Base, sfondo);
    tavolozza.setColor(QPalette::Text, testo);
    campo->setPalette(tavolozza);
}

void daiFuoco(QWidget* campo)
{
    if (campo->isEnabled() && campo->focusPolicy() != Qt::NoFocus)
        campo->setFocus(Qt::OtherFocusReason);
}

} // namespace

QString MessaggioCentrato(const QString& messaggio)
{
    const qsizetype lunghezza = messaggio.size();
    if (lunghezza >= LarghezzaMessaggio)
        return messaggio;
    // Half the length rounded to even: 7.5 gives 8, 24.5 gives 24.
    qsizetype meta = lunghezza / 2;
    if (lunghezza % 2 == 1 && meta % 2 == 1)
        ++meta;
    const QString margine(LarghezzaMessaggio - meta, QLatin1Char(' '));
    return margine + messaggio + margine;
}

void SegnalaErrore(QWidget* campo, QString& messaggio)
{
    if (campo) {
        colora(campo, ColoreErrore, ColoreTestoErrore);
        daiFuoco(campo);
    }
    messaggio = MessaggioCentrato(messaggio);
    Messaggi::mostra(campo ? campo->window() : nullptr, messaggio, QStringLiteral("Errore"));
    if (campo) {
        colora(campo, ColoreFocus, QApplication::palette(campo).color(QPalette::Text));
        daiFuoco(campo);
    }
}
