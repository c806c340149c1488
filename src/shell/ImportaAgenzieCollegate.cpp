#include "shell/ImportaAgenzieCollegate.h"

#include "registry/ArchivioAgenzie.h"
#include "shell/Descrittore.h"
#include "storage/Connessione.h"
#include "storage/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlRecord>

namespace {

Connessione::Valori valoriDaCollegata(const QSqlRecord& riga)
{
    const auto testo = [&riga](const char* colonna) {
        const QVariant v = riga.value(QString::fromLatin1(colonna));
        return v.isNull() ? QVariant() : QVariant(v.toString());
    };
    const auto pulito = [&riga](const char* colonna) {
        return riga.value(QString::fromLatin1(colonna)).toString().trimmed();
    };
    // The sibling keeps one office; it becomes all three of ours.
    return {
        {QStringLiteral("OCOD"), pulito("OCOD")},
        {QStringLiteral("OCF"), pulito("OCOD")},
        {QStringLiteral("ORAG"), pulito("ORAG")},
        {QStringLiteral("OCOG"), pulito("OCOG")},
        {QStringLiteral("ONOME"), pulito("ONOME")},
        {QStringLiteral("OSEX"), testo("OSEX")},
        {QStringLiteral("OPIVA"), testo("OPIVA")},
        {QStringLiteral("ONDT"), testo("ONDT")},
        {QStringLiteral("ONCOM"), testo("ONCOM")},
        {QStringLiteral("ONPRO"), testo("ONPRO")},
        {QStringLiteral("OSOCOM"), testo("OSCOM")},
        {QStringLiteral("OSOPRO"), testo("OSPRO")},
        {QStringLiteral("OSCOM"), testo("OSCOM")},
        {QStringLiteral("OSPRO"), testo("OSPRO")},
        {QStringLiteral("ODCOM"), testo("OSCOM")},
        {QStringLiteral("ODPRO"), testo("OSPRO")},
        {QStringLiteral("OSTP"), QStringLiteral("G")},
        {QStringLiteral("OCITTAD"), QStringLiteral("01=Italiana")},
    };
}

bool copiaAgenzia(const Connessione& connessione, const QSqlRecord& riga)
{
    const Connessione::Valori valori = valoriDaCollegata(riga);
    return ArchivioAgenzie::scriviRiga(connessione, valori.front().second.toString(), valori).ok();
}

} // namespace

int ImportaAgenzieCollegate(const Connessione& connessione, const QString& cartellaDati)
{
    const auto piena = ArchivioAgenzie::presenti(connessione);
    if (!piena || piena.valore())
        return 0;
    const QString descrittore =
        QDir(cartellaDati).filePath(QStringLiteral("SYSTEM/") + Descrittore::nomeCollegato);
    if (!QFileInfo::exists(descrittore))
        return 0;
    const auto righe = Descrittore::leggi(descrittore);
    if (!righe || righe->isEmpty())
        return 0;
    const QString file = Connessione::fileDaStringaConnessione(righe->at(0));
    if (file.isEmpty() ||
        QFileInfo(file).canonicalFilePath() == QFileInfo(connessione.file()).canonicalFilePath())
        return 0;
    const auto collegata = Database::apriEsistente(file);
    if (!collegata)
        return 0;
    auto query = collegata.valore()->esegui(QStringLiteral("SELECT * From COPE "));
    if (!query)
        return 0;
    int copiate = 0;
    while (query.valore().next()) {
        if (copiaAgenzia(connessione, query.valore().record()))
            ++copiate;
    }
    return copiate;
}
