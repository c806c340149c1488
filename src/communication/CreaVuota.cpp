#include "communication/CreaVuota.h"

#include "base/ErroreSistema.h"
#include "base/NomeFile.h"
#include "communication/DatiAgenzia.h"
#include "communication/RecordComunicazione.h"

#include <QDir>
#include <QSaveFile>

namespace {

QString radiceNome(const QString& anno, const QString& mese, const QString& nomeAgenzia)
{
    return QStringLiteral("COAM_") + anno + mese + QLatin1Char('_') +
           NomeFile(nomeAgenzia).left(10);
}

} // namespace

EsitoVuoto CreaVuota(const DatiAgenzia& agenzia, const QString& percorso)
{
    DatiAgenzia ordinaria = agenzia;
    ordinaria.tipoInvio = QLatin1Char('0');
    auto chiusura = RecordZ(0);
    if (!chiusura)
        return Errore{chiusura.errore()};
    QByteArray contenuto = RecordA(ordinaria);
    contenuto += kFineRecord;
    contenuto += *chiusura;
    contenuto += kFineRecord;

    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly) || file.write(contenuto) != contenuto.size() ||
        !file.commit())
        return Errore{QStringLiteral("Impossibile scrivere il file ") +
                      QDir::toNativeSeparators(percorso) + QStringLiteral(": ") +
                      ErroreSistema::descrivi(file)};
    return {};
}

QString NomeComunicazione(const QString& anno, const QString& mese, const QString& nomeAgenzia)
{
    return radiceNome(anno, mese, nomeAgenzia) + QStringLiteral(".TXT");
}

QString NomeComunicazioneVuota(const QString& anno, const QString& mese, const QString& nomeAgenzia)
{
    return radiceNome(anno, mese, nomeAgenzia) + QStringLiteral("-VUOTA.TXT");
}
