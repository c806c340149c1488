#include "common/ui/Documenti.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace {

struct StatoProva
{
    bool attivo = false;
    QStringList aperti;
    QStringList avviati;
};

StatoProva& prova()
{
    static StatoProva stato;
    return stato;
}

} // namespace

void Documenti::apri(const QString& percorso)
{
    if (prova().attivo) {
        prova().aperti << percorso;
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(percorso));
}

void Documenti::avvia(const QString& programma, const QStringList& argomenti)
{
    if (prova().attivo) {
        prova().avviati << (QStringList{programma} + argomenti).join(QLatin1Char(' '));
        return;
    }
    QProcess::startDetached(programma, argomenti);
}

ProvaDocumenti::ProvaDocumenti()
{
    prova() = StatoProva{};
    prova().attivo = true;
}

ProvaDocumenti::~ProvaDocumenti()
{
    prova() = StatoProva{};
}

const QStringList& ProvaDocumenti::aperti() const
{
    return prova().aperti;
}

const QStringList& ProvaDocumenti::avviati() const
{
    return prova().avviati;
}
