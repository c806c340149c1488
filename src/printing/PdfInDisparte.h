#pragma once

#include "base/LavoroInDisparte.h"
#include "printing/Rapporto.h"

// A yearly list written as a PDF on a thread of its own, so that the print
// window keeps answering while a big agency's year is read and drawn. The
// report opens its own connection there; the PDF writer and its painter work
// on any thread.
class PdfInDisparte : public LavoroInDisparte
{
    Q_OBJECT

public:
    // Rapporto::salvaPdf on the thread, returning once it has finished; the
    // report must not be touched meanwhile. After interrompi() it ends with
    // CodiceStampa::Interrotta and nothing is written.
    Esito<int> esegui(Rapporto& rapporto, const QString& percorso);

signals:
    // The pages drawn of how many, from the run's thread (connect it queued or automatic).
    void avanzato(int fatte, int totale);
};
