#include "shell/ImportaDivise.h"

#include "base/Cp1252.h"
#include "base/FormatoItaliano.h"
#include "base/Orologio.h"
#include "storage/Connessione.h"
#include "storage/Transazione.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

namespace {

// The shipped file is Windows-1252; one saved again by a modern editor is UTF-8.
QString testoDelFile(const QByteArray& byte)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString testo = utf8.decode(byte);
    return utf8.hasError() ? Cp1252::decodifica(byte) : testo;
}

} // namespace

Esito<int> ImportaDivise(const Connessione& connessione, const QString& fileDivise)
{
    const auto caricate =
        connessione.haRighe(QStringLiteral("SELECT * FROM CTAB WHERE TIPO='REL' AND COD='CDI' "));
    if (!caricate)
        return Errore{caricate.errore()};
    if (caricate.valore())
        return 0;
    QFile file(fileDivise);
    if (!file.open(QIODevice::ReadOnly))
        return 0; // tried again at the next start

    Transazione transazione(connessione);
    // Busy past the timeout: nothing is written outside the transaction.
    if (!transazione.aperta())
        return Errore{transazione.conferma().errore()};
    int divise = 0;
    const QString testo = testoDelFile(file.readAll());
    for (const QString& riga : testo.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        if (riga.trimmed().isEmpty())
            continue;
        const QStringList campi = riga.split(QLatin1Char(';'));
        if (campi.size() < 3)
            continue;
        auto scritta = connessione.inserisci(QStringLiteral("CTAB"),
                                             {{QStringLiteral("TIPO"), QStringLiteral("DIV")},
                                              {QStringLiteral("COD"), campi.at(0)},
                                              {QStringLiteral("DES"), campi.at(2)}});
        if (!scritta)
            return Errore{scritta.errore()};
        ++divise;
    }
    auto marcatore = connessione.inserisci(
        QStringLiteral("CTAB"), {{QStringLiteral("TIPO"), QStringLiteral("REL")},
                                 {QStringLiteral("COD"), QStringLiteral("CDI")},
                                 {QStringLiteral("DES"), FormatoItaliano::data(Orologio::oggi())}});
    if (!marcatore)
        return Errore{marcatore.errore()};
    if (auto confermata = transazione.conferma(); !confermata)
        return Errore{confermata.errore()};
    return divise;
}
