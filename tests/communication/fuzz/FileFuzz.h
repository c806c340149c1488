#pragma once

// What the three targets share: the readers open files by path, as the clerk
// picks them, so the fuzzer's bytes go to a file in a temporary folder of
// this process, which is removed when the fuzzer ends.
#include "communication/LettoreFoglio.h"
#include "communication/RegoleFoglioExcel.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

namespace FileFuzz {

inline QString scrivi(const char* nome, const uint8_t* dati, size_t lunghezza)
{
    static QTemporaryDir cartella;
    if (!cartella.isValid())
        std::abort();
    const QString percorso = cartella.filePath(QString::fromLatin1(nome));
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(dati), static_cast<qint64>(lunghezza)) !=
            static_cast<qint64>(lunghezza))
        std::abort();
    return percorso;
}

// Reads every row the reader gives; an error ends the reading like the
// import does. Returns how many rows were read.
inline long leggiTutto(LettoreFoglio& lettore)
{
    long righe = 0;
    RigaFoglio riga;
    for (;;) {
        const Esito<bool> esito = lettore.leggi(riga);
        if (!esito || !*esito)
            return righe;
        ++righe;
    }
}

// Any bytes as a workbook named `nome` (.xls or .xlsx), opened as the import
// opens a workbook, so the same checks run first. Data run from row 3 to the
// last row the import reads: damaged or not, a sheet never gives more rows.
inline int provaCartella(const char* nome, const uint8_t* dati, size_t lunghezza)
{
    auto lettore = apriFoglioExcel(scrivi(nome, dati, lunghezza));
    if (!lettore)
        return 0;
    if (leggiTutto(*lettore.valore()) > RegoleFoglioExcel::kUltimaRiga - 2)
        std::abort();
    return 0;
}

} // namespace FileFuzz
