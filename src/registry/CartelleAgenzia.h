#pragma once

#include <QString>

// The folders an agency's sheets were last taken from and its communications
// last written to, so the next month's dialogs open there: an accountant
// keeps each agency's files in a folder of its own. They are kept in a small
// settings file of the application folder, by agency code. Remembering is a
// convenience: a file that cannot be written only means the dialogs start
// where they always did.
class CartelleAgenzia
{
public:
    CartelleAgenzia(QString fileImpostazioni, QString codiceAgenzia);

    // Empty when none is remembered, or when it no longer exists.
    QString fogli() const;
    QString comunicazioni() const;

    // The folder of the file just used.
    void ricordaFoglio(const QString& foglio) const;
    void ricordaComunicazione(const QString& comunicazione) const;

private:
    QString leggi(const QString& chiave) const;
    void scrivi(const QString& chiave, const QString& file) const;

    QString m_file;
    QString m_codice;
};
