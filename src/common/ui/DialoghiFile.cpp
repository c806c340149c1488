#include "common/ui/DialoghiFile.h"

#include <QFileDialog>
#include <QList>
#include <QQueue>
#include <QStringList>

namespace {

struct StatoProva
{
    bool attivo = false;
    QQueue<QString> risposte;
    QList<DialoghiFile::Richiesta> richieste;
};

StatoProva& prova()
{
    static StatoProva stato;
    return stato;
}

QString rispostaDiProva(DialoghiFile::Richiesta richiesta)
{
    prova().richieste.append(std::move(richiesta));
    return prova().risposte.isEmpty() ? QString() : prova().risposte.dequeue();
}

} // namespace

QString DialoghiFile::filtroQt(const QString& filtro)
{
    const QStringList parti = filtro.split(QLatin1Char('|'));
    QStringList voci;
    for (qsizetype i = 0; i + 1 < parti.size(); i += 2) {
        QString descrizione = parti.at(i);
        const qsizetype aperta = descrizione.indexOf(QLatin1Char('('));
        if (aperta > 0)
            descrizione = descrizione.left(aperta).trimmed();
        QStringList modelli;
        for (const QString& modello : parti.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            modelli << modello.trimmed();
            if (modello.toLower() != modello)
                modelli << modello.trimmed().toLower();
        }
        voci << descrizione + QStringLiteral(" (") + modelli.join(QLatin1Char(' ')) +
                    QLatin1Char(')');
    }
    return voci.join(QStringLiteral(";;"));
}

QString DialoghiFile::apri(QWidget* padre, const QString& titolo, const QString& filtro,
                           const QString& nomeProposto)
{
    if (prova().attivo)
        return rispostaDiProva({false, titolo, filtro, nomeProposto});
    return QFileDialog::getOpenFileName(padre, titolo, nomeProposto, filtroQt(filtro));
}

QString DialoghiFile::salva(QWidget* padre, const QString& titolo, const QString& filtro,
                            const QString& nomeProposto)
{
    if (prova().attivo)
        return rispostaDiProva({true, titolo, filtro, nomeProposto});
    // The program asks its own overwrite question where the user expects it.
    return QFileDialog::getSaveFileName(padre, titolo, nomeProposto, filtroQt(filtro), nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

ProvaDialoghi::ProvaDialoghi()
{
    prova() = StatoProva{};
    prova().attivo = true;
}

ProvaDialoghi::~ProvaDialoghi()
{
    prova() = StatoProva{};
}

void ProvaDialoghi::scegli(const QString& percorso)
{
    prova().risposte.enqueue(percorso);
}

const QList<DialoghiFile::Richiesta>& ProvaDialoghi::richieste() const
{
    return prova().richieste;
}
