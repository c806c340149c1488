#include "registry/CartelleAgenzia.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

CartelleAgenzia::CartelleAgenzia(QString fileImpostazioni, QString codiceAgenzia)
    : m_file(std::move(fileImpostazioni)), m_codice(std::move(codiceAgenzia))
{
}

QString CartelleAgenzia::fogli() const
{
    return leggi(QStringLiteral("fogli"));
}

QString CartelleAgenzia::comunicazioni() const
{
    return leggi(QStringLiteral("comunicazioni"));
}

void CartelleAgenzia::ricordaFoglio(const QString& foglio) const
{
    scrivi(QStringLiteral("fogli"), foglio);
}

void CartelleAgenzia::ricordaComunicazione(const QString& comunicazione) const
{
    scrivi(QStringLiteral("comunicazioni"), comunicazione);
}

QString CartelleAgenzia::leggi(const QString& chiave) const
{
    if (m_codice.isEmpty())
        return {};
    const QSettings impostazioni(m_file, QSettings::IniFormat);
    const QString cartella = impostazioni.value(m_codice + QLatin1Char('/') + chiave).toString();
    // A folder since removed (a USB key not plugged in) would open the dialog nowhere.
    return !cartella.isEmpty() && QFileInfo(cartella).isDir() ? cartella : QString();
}

void CartelleAgenzia::scrivi(const QString& chiave, const QString& file) const
{
    if (m_codice.isEmpty() || file.isEmpty())
        return;
    QSettings impostazioni(m_file, QSettings::IniFormat);
    impostazioni.setValue(m_codice + QLatin1Char('/') + chiave,
                          QFileInfo(file).absoluteDir().absolutePath());
}
