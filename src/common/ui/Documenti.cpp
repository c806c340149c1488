#include "common/ui/Documenti.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>
#include <utility>

namespace {

class SistemaReale final : public Documenti::Sistema
{
public:
    bool apri(const QString& percorso) override
    {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(percorso));
    }
    void avvia(const QString& programma, const QStringList& argomenti) override
    {
        QProcess::startDetached(programma, argomenti);
    }
};

Documenti::Sistema* g_sistema = nullptr; // nullptr: the system

Documenti::Sistema& sistema()
{
    static SistemaReale reale;
    return g_sistema ? *g_sistema : reale;
}

} // namespace

bool Documenti::apri(const QString& percorso)
{
    return sistema().apri(percorso);
}

void Documenti::avvia(const QString& programma, const QStringList& argomenti)
{
    sistema().avvia(programma, argomenti);
}

Documenti::Sistema* Documenti::sostituisci(Sistema* nuovo)
{
    return std::exchange(g_sistema, nuovo);
}
