#pragma once

#include "history/StoricoInvii.h"

#include <QString>
#include <QTextStream>

class Connessione;
struct DatiAgenzia;

// Records a communication just written in the history of the sent ones. The
// file is already in place and the command's outcome stands: a history that
// cannot be written is said on standard error and changes no exit code.
void RegistraInvio(const Connessione& connessione, const QString& agenzia,
                   const DatiAgenzia& dati, StoricoInvii::Tipo tipo, const QString& percorso,
                   qint64 recordB, qint64 righeErrori, QTextStream& err);
