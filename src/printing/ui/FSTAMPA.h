#pragma once

#include <QDialog>

struct Ambiente;

// The print window of the yearly lists. For now only its frame.
class FSTAMPA : public QDialog
{
    Q_OBJECT

public:
    explicit FSTAMPA(Ambiente& ambiente, QWidget* padre = nullptr);
};
