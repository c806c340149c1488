#pragma once

// The inflate floor of an .xlsx: what reading it costs at least on one core.
#include "fogli/ArchivioZip.h"

#include <QElapsedTimer>
#include <QFile>
#include <memory>
#include <vector>

// Inflating the parts the reader streams, and nothing else: what reading an
// .xlsx costs at least on one core.
inline double pavimentoInflazione(const QString& percorso)
{
    QElapsedTimer tempo;
    tempo.start();
    ArchivioZip zip;
    auto file = std::make_unique<QFile>(percorso);
    if (!file->open(QIODevice::ReadOnly) || !zip.apri(std::move(file), percorso))
        return 0;
    std::vector<char> blocco(1 << 18);
    // The generated workbooks keep their data in sheet2, LibreOffice in sheet1.
    for (const char* parte :
         {"xl/sharedStrings.xml", "xl/worksheets/sheet1.xml", "xl/worksheets/sheet2.xml"}) {
        if (!zip.contiene(QString::fromLatin1(parte)))
            continue;
        if (!zip.apriParte(QString::fromLatin1(parte)))
            return 0;
        for (;;) {
            auto letti = zip.leggiBlocco(blocco.data(), static_cast<qint64>(blocco.size()));
            if (!letti)
                return 0;
            if (*letti == 0)
                break;
        }
    }
    return static_cast<double>(tempo.nsecsElapsed()) / 1e9;
}
