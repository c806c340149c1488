#include "fogli/LettoreFoglio.h"

#include "base/ErroreSistema.h"
#include "fogli/LettoreCsv.h"
#include "fogli/LettoreXls.h"
#include "fogli/LettoreXlsx.h"
#include "fogli/TestoCella.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

namespace {

bool zip(const QByteArray& firma)
{
    return firma.startsWith(QByteArrayLiteral("PK\x03\x04"));
}

bool documentoComposto(const QByteArray& firma)
{
    return firma.startsWith(QByteArrayLiteral("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"));
}

Errore nonExcel(const QString& nome)
{
    return Errore{
        QStringLiteral("Il file %1 non è una cartella di lavoro Excel (.xls o .xlsx).").arg(nome)};
}

Errore nonAperto(const QString& nome, const QFile& file)
{
    return Errore{QStringLiteral("Impossibile aprire il file %1: %2")
                      .arg(nome, ErroreSistema::descrivi(file))};
}

std::unique_ptr<QIODevice> inMemoria(const QByteArray& contenuto)
{
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(contenuto);
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

} // namespace

bool RegoleFoglio::fineDati(const RigaFoglio& riga) const
{
    for (int colonna : colonneChiave)
        if (colonna < static_cast<int>(riga.valori.size()) &&
            !TestoCella::vuoto(riga.valori[static_cast<std::size_t>(colonna)]))
            return false;
    return true;
}

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioExcel(const QString& percorso,
                                                      const RegoleFoglio& regole)
{
    // Messages name the file as the clerk's system writes paths (C:\Contabilità\...).
    const QString nome = QDir::toNativeSeparators(percorso);
    auto file = std::make_unique<QFile>(percorso);
    if (!file->open(QIODevice::ReadOnly))
        return nonAperto(nome, *file);
    // The first bytes tell the formats apart whatever the file is called:
    // an .xlsx is a zip package, an .xls a compound document.
    const QByteArray firma = file->peek(8);
    if (zip(firma))
        return apriFoglioXlsx(std::move(file), nome, regole);
    if (!documentoComposto(firma))
        return nonExcel(nome);
    // An .xls is read whole: the format's 65536 rows keep it small.
    const QByteArray contenuto = file->readAll();
    if (file->error() != QFileDevice::NoError)
        return Errore{QStringLiteral("Errore di lettura del file %1: %2")
                          .arg(nome, ErroreSistema::descrivi(*file))};
    return apriFoglioXls(contenuto, nome, regole);
}

Esito<std::unique_ptr<LettoreFoglio>>
apriFoglioExcel(const QByteArray& contenuto, const QString& nome, const RegoleFoglio& regole)
{
    if (zip(contenuto))
        return apriFoglioXlsx(inMemoria(contenuto), nome, regole);
    if (documentoComposto(contenuto))
        return apriFoglioXls(contenuto, nome, regole);
    return nonExcel(nome);
}

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioCsv(const QString& percorso,
                                                    const ImpostazioniCsv& impostazioni)
{
    const QString nome = QDir::toNativeSeparators(percorso);
    auto file = std::make_unique<QFile>(percorso);
    if (!file->open(QIODevice::ReadOnly))
        return nonAperto(nome, *file);
    return LettoreCsv::apri(std::move(file), nome, impostazioni);
}

Esito<std::unique_ptr<LettoreFoglio>>
apriFoglioCsv(const QByteArray& contenuto, const QString& nome, const ImpostazioniCsv& impostazioni)
{
    return LettoreCsv::apri(inMemoria(contenuto), nome, impostazioni);
}
