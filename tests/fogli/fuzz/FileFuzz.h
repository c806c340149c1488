#pragma once

// What the targets share: the fuzzer's bytes go to the readers in memory, as
// the bytes of a file named `nome`, so an input costs no file and no start.
#include "LetturaFoglio.h"
#include "fogli/LettoreFoglio.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstdint>
#include <cstdlib>

namespace FileFuzz {

// Qt's warnings about damaged input (a seek past a buffer's end) would fill
// the fuzzer's log and slow it down.
inline const bool kSenzaAvvisi =
    (qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {}), true);

inline QByteArray byte(const uint8_t* dati, size_t lunghezza)
{
    // The fuzzer's buffer outlives the input's run: no copy is needed.
    return QByteArray::fromRawData(reinterpret_cast<const char*>(dati),
                                   static_cast<qsizetype>(lunghezza));
}

// Reads every row the reader gives; an error ends the reading like the
// import does. Returns how many rows were read.
inline long leggiRighe(LettoreFoglio& lettore)
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
    const RegoleFoglio regole = regoleProva();
    auto lettore = apriFoglioExcel(byte(dati, lunghezza), QString::fromLatin1(nome), regole);
    if (!lettore)
        return 0;
    if (leggiRighe(*lettore.valore()) > regole.ultimaRiga - regole.primaRigaDati + 1)
        std::abort();
    return 0;
}

} // namespace FileFuzz
