#pragma once

#include <QDialog>

// The welcome window: version and release, and "Entra" to start working.
class FINI : public QDialog
{
    Q_OBJECT

public:
    explicit FINI(QWidget* padre = nullptr);

Q_SIGNALS:
    void entra();
};
