#include "shell/LeggiIni.h"

#include "base/Cp1252.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

namespace {
constexpr qsizetype kMassimoCaratteri = 127; // the 128-character buffer less its terminator
}

FileIni FileIni::leggi(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return daTesto(file.readAll());
}

FileIni FileIni::daTesto(const QByteArray& contenuto)
{
    FileIni ini;
    ini.m_contenuto = contenuto;
    return ini;
}

QString FileIni::LeggiIni(const QString& sezione, const QString& chiave) const
{
    const QString testo = Cp1252::decodifica(m_contenuto);
    bool nellaSezione = false;
    bool sezioneTrovata = false;
    for (QString riga : testo.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")))) {
        riga = riga.trimmed();
        if (riga.startsWith(QLatin1Char('['))) {
            const qsizetype chiusa = riga.indexOf(QLatin1Char(']'));
            const QString nome = riga.mid(1, chiusa < 0 ? -1 : chiusa - 1).trimmed();
            // Windows reads only the first section of a given name.
            if (nellaSezione || sezioneTrovata)
                nellaSezione = false;
            else if (nome.compare(sezione, Qt::CaseInsensitive) == 0)
                nellaSezione = sezioneTrovata = true;
            continue;
        }
        if (!nellaSezione || riga.startsWith(QLatin1Char(';')))
            continue;
        const qsizetype uguale = riga.indexOf(QLatin1Char('='));
        if (uguale < 0 || riga.left(uguale).trimmed().compare(chiave, Qt::CaseInsensitive) != 0)
            continue;
        QString valore = riga.mid(uguale + 1).trimmed();
        if (valore.size() >= 2 &&
            (valore.front() == QLatin1Char('"') || valore.front() == QLatin1Char('\'')) &&
            valore.back() == valore.front())
            valore = valore.mid(1, valore.size() - 2);
        return valore.left(kMassimoCaratteri);
    }
    return {};
}
