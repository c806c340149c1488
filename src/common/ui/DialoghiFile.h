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

// What shows the dialogs: Qt's file dialogs unless another is put in its place.
class Schermo
{
public:
    virtual ~Schermo() = default;
    // The file chosen; empty when the user cancelled.
    virtual QString presenta(QWidget* padre, const Richiesta& richiesta) = 0;
};

// From now on the dialogs go to `schermo` (nullptr: Qt's dialogs again);
// returns the one it replaces, for the caller to put back.
Schermo* sostituisci(Schermo* schermo);

} // namespace DialoghiFile
