#pragma once

#include <QByteArray>
#include <QString>

// configurazione.ini, read the way Windows reads profile strings: sections and
// keys without regard to case, the value trimmed and unquoted, at most 127
// characters of it. A missing file, section or key reads as empty. The file
// is in the Windows-1252 code page; the program never writes it.
class FileIni
{
public:
    static FileIni leggi(const QString& percorso);
    static FileIni daTesto(const QByteArray& contenuto);

    QString LeggiIni(const QString& sezione, const QString& chiave) const;

private:
    QByteArray m_contenuto;
};
