#include "support/CartellaProva.h"

#include "shell/Avvio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

CartellaProva::CartellaProva() : CartellaProva("[opzioni]\r\nPCDirF=PGM\r\n") {}

CartellaProva::CartellaProva(const QByteArray& configurazione)
{
    if (!configurazione.isNull())
        scrivi(QStringLiteral("configurazione.ini"), configurazione);
}

QString CartellaProva::file(const QString& nome) const
{
    return QDir(m_cartella.path()).filePath(nome);
}

void CartellaProva::scrivi(const QString& nome, const QByteArray& contenuto) const
{
    const QString percorsoFile = file(nome);
    QDir().mkpath(QFileInfo(percorsoFile).absolutePath());
    QFile f(percorsoFile);
    if (!f.open(QIODevice::WriteOnly) || f.write(contenuto) != contenuto.size())
        ADD_FAILURE() << "impossibile scrivere " << percorsoFile.toStdString();
}

QByteArray CartellaProva::leggi(const QString& nome) const
{
    QFile f(file(nome));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

std::unique_ptr<Ambiente> CartellaProva::avvia() const
{
    auto ambiente = Avvio(m_cartella.path(), file(QStringLiteral("bin")));
    if (!ambiente) {
        ADD_FAILURE() << "avvio fallito: " << ambiente.errore().toStdString();
        return nullptr;
    }
    return std::move(ambiente).valore();
}

QString CartellaProva::dati(const QString& nome)
{
    return QDir(QStringLiteral(ZEFIRANTE_DATI_PROVA)).filePath(nome);
}
