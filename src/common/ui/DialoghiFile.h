#pragma once

#include <QString>

class QWidget;

// The open and save dialogs of the program. Filters are written the way the
// program's captions give them ("TXT Files (*.TXT)|*.TXT"); matching ignores case.
// An empty result means the user cancelled.
namespace DialoghiFile {

QString apri(QWidget* padre, const QString& titolo, const QString& filtro,
             const QString& nomeProposto = {});
QString salva(QWidget* padre, const QString& titolo, const QString& filtro,
              const QString& nomeProposto = {});

// "Descrizione|*.A;*.B|..." -> the Qt form "Descrizione (*.A *.a *.B *.b);;..."
QString filtroQt(const QString& filtro);

struct Richiesta
{
    bool salva = false;
    QString titolo;
    QString filtro;
    QString nomeProposto;
};

} // namespace DialoghiFile

// While one exists, no dialog is shown: each request is recorded and answered
// with the queued file names in order (cancel, an empty name, when none is left).
class ProvaDialoghi
{
public:
    ProvaDialoghi();
    ~ProvaDialoghi();
    ProvaDialoghi(const ProvaDialoghi&) = delete;
    ProvaDialoghi& operator=(const ProvaDialoghi&) = delete;

    void scegli(const QString& percorso);
    void annulla() { scegli(QString()); }
    const QList<DialoghiFile::Richiesta>& richieste() const;
};
