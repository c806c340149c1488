#include "communication/LetturaRapporto.h"

#include "base/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

// " Riga: 12 - Errore nel campo B11 (...) CODICE ERRATO Valore errato: UK - Soggetto: MARINO ELENA"
const QRegularExpression kVoce(QStringLiteral(
    "^ Riga: (\\d+) - Errore nel campo (.*?)\\s*Valore errato: (.*) - Soggetto: (.*)$"));

} // namespace

Esito<ContenutoRapporto> LeggiRapportoErrori(const QString& percorso)
{
    QFile file(percorso);
    if (!file.exists())
        return Errore{QStringLiteral("Nessun rapporto errori: il file %1 non esiste.")
                          .arg(QDir::toNativeSeparators(percorso))};
    if (!file.open(QIODevice::ReadOnly))
        return Errore{QStringLiteral("Impossibile leggere il rapporto errori %1.")
                          .arg(QDir::toNativeSeparators(percorso))};
    ContenutoRapporto contenuto;
    const QString testo = Cp1252::decodifica(file.readAll());
    for (const QString& riga : testo.split(QStringLiteral("\r\n"))) {
        if (riga.startsWith(QLatin1String("Archivio: "))) {
            contenuto.foglio = riga.mid(10);
            continue;
        }
        const auto trovata = kVoce.match(riga);
        if (!trovata.hasMatch())
            continue;
        contenuto.voci.append({trovata.captured(1).toInt(), trovata.captured(2).trimmed(),
                               trovata.captured(3).trimmed(), trovata.captured(4).trimmed()});
    }
    return contenuto;
}
