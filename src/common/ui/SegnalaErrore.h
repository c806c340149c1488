#pragma once

#include <QString>

class QWidget;

// Points the user at a wrong field: the field turns red with white text and
// takes the focus, the message is shown in a box titled "Errore" with the OK
// button only, then the field gets the focus colour and the normal text
// colour and the focus again. A message shorter than 50 characters comes back
// centred: the same number of blanks on each side, 50 minus half its length
// (halves rounded to the even number). A null field only shows the message.
void SegnalaErrore(QWidget* campo, QString& messaggio);

// The message as SegnalaErrore shows it.
QString MessaggioCentrato(const QString& messaggio);
