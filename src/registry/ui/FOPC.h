#pragma once

#include <QWidget>

struct Ambiente;

// The agency window: the working window of the whole run.
// For now only its frame: it registers itself as the active window so the
// toolbar's agency buttons know where to act; the list and fields follow.
class FOPC : public QWidget
{
    Q_OBJECT

public:
    explicit FOPC(Ambiente& ambiente, QWidget* padre = nullptr);

    // New agency (toolbar "ADD").
    void Aggiungi();
    // Delete the agency shown (toolbar "ELI").
    void Elimina();

private:
    Ambiente& m_ambiente;
};
