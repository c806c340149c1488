#include "cli/RegistraInvio.h"

#include "communication/DatiAgenzia.h"

#include <QFileInfo>

void RegistraInvio(const Connessione& connessione, const QString& agenzia,
                   const DatiAgenzia& dati, StoricoInvii::Tipo tipo, const QString& percorso,
                   qint64 recordB, qint64 righeErrori, QTextStream& err)
{
    StoricoInvii::Invio invio;
    invio.agenzia = agenzia;
    invio.anno = dati.anno.toInt();
    invio.mese = dati.mese.trimmed().toInt();
    invio.tipo = tipo;
    invio.percorso = QFileInfo(percorso).absoluteFilePath();
    invio.recordB = recordB;
    invio.righeErrori = righeErrori;
    if (auto registrato = StoricoInvii::registra(connessione, invio); !registrato)
        err << "Storico invii non aggiornato: " << registrato.errore() << Qt::endl;
}
