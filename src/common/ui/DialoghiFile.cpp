#include "common/ui/DialoghiFile.h"

#include <QFileDialog>
#include <QStringList>
#include <utility>

namespace {

class DialoghiQt final : public DialoghiFile::Schermo
{
public:
    QString presenta(QWidget* padre, const DialoghiFile::Richiesta& r) override
    {
        const QString filtro = DialoghiFile::filtroQt(r.filtro);
        if (!r.salva)
            return QFileDialog::getOpenFileName(padre, r.titolo, r.nomeProposto, filtro);
        // The program asks its own overwrite question where the user expects it.
        return QFileDialog::getSaveFileName(padre, r.titolo, r.nomeProposto, filtro, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
};

DialoghiFile::Schermo* g_schermo = nullptr; // nullptr: Qt's dialogs

DialoghiFile::Schermo& schermo()
{
    static DialoghiQt qt;
    return g_schermo ? *g_schermo : qt;
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
    return schermo().presenta(padre, {false, titolo, filtro, nomeProposto});
}

QString DialoghiFile::salva(QWidget* padre, const QString& titolo, const QString& filtro,
                            const QString& nomeProposto)
{
    return schermo().presenta(padre, {true, titolo, filtro, nomeProposto});
}

DialoghiFile::Schermo* DialoghiFile::sostituisci(Schermo* nuovo)
{
    return std::exchange(g_schermo, nuovo);
}
