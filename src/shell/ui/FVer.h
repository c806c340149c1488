#pragma once

#include <QDialog>

// Version and release, and the maker's contacts: clicking one opens a new
// message in the user's mail program.
class FVer : public QDialog
{
    Q_OBJECT

public:
    explicit FVer(QWidget* padre = nullptr);

    static QString indirizzoAssistenza();
    static QString indirizzoCommerciale();
    // The mailto: link a contact label opens.
    static QUrl messaggioPer(const QString& indirizzo);

private:
    void scrivi(const QString& indirizzo);
};
