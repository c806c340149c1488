#include "communication/LetturaRapporto.h"

#include "base/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

// " Riga: 12 - Errore nel campo B11 (...) CODICE ERRATO Valore errato: UK - Soggetto: MARINO ELENA"
const QRegularExpression kErrore(QStringLiteral(
    "^ Riga: (\\d+) - Errore nel campo (.*?)\\s*Valore errato: (.*) - Soggetto: (.*)$"));
// " Riga: 12 - Avviso nel campo B17 (DATA OPERAZIONE) Valore: 02102026 - data fuori dal mese
// della comunicazione 09/2026 - Soggetto: MARINO ELENA". No reason holds " - ", a value may.
const QRegularExpression
    kAvviso(QStringLiteral("^ Riga: (\\d+) - Avviso nel campo (.*?)\\s*Valore: (.*) - "
                           "((?:(?! - ).)*) - Soggetto: (.*)$"));

Esito<ContenutoRapporto> leggi(const QString& percorso, const QString& manca,
                               const QString& illeggibile)
{
    QFile file(percorso);
    const QString nome = QDir::toNativeSeparators(percorso);
    if (!file.exists())
        return Errore{manca.arg(nome)};
    if (!file.open(QIODevice::ReadOnly))
        return Errore{illeggibile.arg(nome)};
    ContenutoRapporto contenuto;
    const QString testo = Cp1252::decodifica(file.readAll());
    for (const QString& riga : testo.split(QStringLiteral("\r\n"))) {
        if (riga.startsWith(QLatin1String("Archivio: "))) {
            contenuto.foglio = riga.mid(10);
            continue;
        }
        if (const auto errore = kErrore.match(riga); errore.hasMatch()) {
            contenuto.voci.append({errore.captured(1).toInt(), errore.captured(2).trimmed(),
                                   errore.captured(3).trimmed(), errore.captured(4).trimmed(),
                                   QString()});
        } else if (const auto avviso = kAvviso.match(riga); avviso.hasMatch()) {
            contenuto.voci.append({avviso.captured(1).toInt(), avviso.captured(2).trimmed(),
                                   avviso.captured(3).trimmed(), avviso.captured(5).trimmed(),
                                   avviso.captured(4).trimmed()});
        }
    }
    return contenuto;
}

} // namespace

Esito<ContenutoRapporto> LeggiRapportoErrori(const QString& percorso)
{
    return leggi(percorso, QStringLiteral("Nessun rapporto errori: il file %1 non esiste."),
                 QStringLiteral("Impossibile leggere il rapporto errori %1."));
}

Esito<ContenutoRapporto> LeggiAvvisi(const QString& percorso)
{
    return leggi(percorso, QStringLiteral("Nessun avviso: il file %1 non esiste."),
                 QStringLiteral("Impossibile leggere gli avvisi %1."));
}
