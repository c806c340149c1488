#include "communication/LettoreFoglio.h"

#include "communication/LettoreCsv.h"
#include "communication/LettoreXls.h"
#include "communication/LettoreXlsx.h"

#include <QFile>

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioExcel(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return Errore{
            QStringLiteral("Impossibile aprire il file %1: %2").arg(percorso, file.errorString())};
    const QByteArray firma = file.read(8);
    file.close();
    // The first bytes tell the formats apart whatever the file is called:
    // an .xlsx is a zip package, an .xls a compound document.
    if (firma.startsWith(QByteArrayLiteral("PK\x03\x04")))
        return apriFoglioXlsx(percorso);
    if (firma == QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"))
        return apriFoglioXls(percorso);
    return Errore{QStringLiteral("Il file %1 non è una cartella di lavoro Excel (.xls o .xlsx).")
                      .arg(percorso)};
}

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioCsv(const QString& percorso,
                                                    const QString& separatore, int primaRigaDati)
{
    return LettoreCsv::apri(percorso, separatore, primaRigaDati);
}
