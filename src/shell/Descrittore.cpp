#include "shell/Descrittore.h"

#include "base/Cp1252.h"
#include "base/ErroreSistema.h"
#include "shell/Offusca.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

int Descrittore::chiaveRiga(int riga)
{
    static constexpr int chiavi[] = {3, 5, 7, 9};
    return chiavi[(riga - 1) & 3];
}

QByteArray Descrittore::codifica(const QStringList& righe)
{
    QByteArray contenuto;
    for (int riga = 1; riga <= 4; ++riga) {
        const QString testo = riga <= righe.size() ? righe.at(riga - 1) : QString();
        QByteArray byte =
            Offusca::Offusca(Cp1252::codifica(testo), Offusca::Modo::Scrivi, chiaveRiga(riga));
        if (byte.contains('\r') || byte.contains('\n'))
            byte.clear();
        contenuto += byte + "\r\n";
    }
    return contenuto;
}

QStringList Descrittore::decodifica(const QByteArray& contenuto)
{
    QStringList righe;
    const QList<QByteArray> parti = contenuto.split('\n');
    for (qsizetype i = 0; i < parti.size() && i < 4; ++i) {
        QByteArray byte = parti.at(i);
        if (byte.endsWith('\r'))
            byte.chop(1);
        const int riga = static_cast<int>(i) + 1;
        righe << Cp1252::decodifica(Offusca::Offusca(byte, Offusca::Modo::Leggi, chiaveRiga(riga)));
    }
    return righe;
}

EsitoVuoto Descrittore::scrivi(const QString& file, const QStringList& righe)
{
    QSaveFile uscita(file);
    if (!uscita.open(QIODevice::WriteOnly) || uscita.write(codifica(righe)) < 0 || !uscita.commit())
        return Errore{ErroreSistema::descrivi(uscita)};
    return {};
}

Esito<QStringList> Descrittore::leggi(const QString& file)
{
    QFile ingresso(file);
    if (!ingresso.open(QIODevice::ReadOnly))
        return Errore{ErroreSistema::descrivi(ingresso)};
    return decodifica(ingresso.readAll());
}
