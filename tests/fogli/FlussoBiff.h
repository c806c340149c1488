#pragma once

// Workbook streams of Excel 97-2003 and 5/95 built record by record, so a
// test can put in exactly the records it needs, or damage exactly one.
#include "ScriviDocumentoComposto.h"

#include <QByteArray>

namespace FlussoBiff {

inline QByteArray le16(int v)
{
    QByteArray byte(2, '\0');
    byte[0] = static_cast<char>(v & 0xFF);
    byte[1] = static_cast<char>((v >> 8) & 0xFF);
    return byte;
}

inline QByteArray le32(quint32 v)
{
    return le16(static_cast<int>(v & 0xFFFF)) + le16(static_cast<int>(v >> 16));
}

inline QByteArray record(int tipo, const QByteArray& dati)
{
    return le16(tipo) + le16(static_cast<int>(dati.size())) + dati;
}

// A string as the shared table holds it: count, flags, characters.
inline QByteArray testoSst(const QByteArray& caratteri, int opzioni = 0)
{
    return le16(static_cast<int>(caratteri.size())) + static_cast<char>(opzioni) + caratteri;
}

struct Cartella
{
    bool biff8 = true;
    QByteArray tabella;    // SST and CONTINUE records (Excel 97-2003 only)
    QByteArray primaFogli; // further records of the globals
    QByteArray foglio;     // the sheet's records between DIMENSIONS and EOF
    QByteArray dimensioni; // the sheet's size record; a default when null
    int fogli = 1;         // BOUNDSHEETs, all pointing at the sheet
    int spostamento = 0;   // added to the BOUNDSHEETs' offset
    QByteArray traSottoflussi;
    int nomeOpzioni = 0;   // flags of the sheet name (Excel 97-2003)
    int tipoFoglio = 0;    // of the BOUNDSHEETs: 0 a worksheet, 2 a chart sheet
    QByteArray altriFogli; // BOUNDSHEETs before the sheet's, in tab order
    int codifica = 1252;   // CODEPAGE of Excel 5/95

    QByteArray bof(int tipo) const
    {
        return record(0x0809, biff8 ? le16(0x0600) + le16(tipo) + QByteArray(12, '\0')
                                    : le16(0x0500) + le16(tipo) + QByteArray(4, '\0'));
    }

    QByteArray boundsheet(quint32 inizio) const
    {
        const QByteArray nome("Foglio1");
        QByteArray dati =
            le32(inizio) + '\0' + static_cast<char>(tipoFoglio) + static_cast<char>(nome.size());
        if (biff8)
            dati += static_cast<char>(nomeOpzioni);
        if (nomeOpzioni & 0x08)
            dati += le16(0); // no formatting runs
        return record(0x0085, dati + nome);
    }

    QByteArray flusso() const
    {
        QByteArray globali = bof(0x0005);
        if (!biff8)
            globali += record(0x0042, le16(codifica));
        globali += record(0x00E0, QByteArray(biff8 ? 20 : 16, '\0'));
        globali += tabella + primaFogli;
        globali += altriFogli;
        const qsizetype dopo = globali.size() + fogli * boundsheet(0).size() + 4;
        const quint32 inizio = static_cast<quint32>(dopo + traSottoflussi.size() + spostamento);
        for (int i = 0; i < fogli; ++i)
            globali += boundsheet(inizio);
        globali += record(0x000A, {});
        const QByteArray taglia = biff8 ? le32(0) + le32(4) + le16(0) + le16(2) + le16(0)
                                        : le16(0) + le16(4) + le16(0) + le16(2) + le16(0);
        return globali + traSottoflussi + bof(0x0010) +
               (dimensioni.isNull() ? record(0x0200, taglia) : dimensioni) + foglio +
               record(0x000A, {});
    }
};

// Rows 3 and 4: a surname and a name each, from the shared table.
inline Cartella cartellaConTabella()
{
    Cartella c;
    c.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + testoSst("MARIO") +
                                   testoSst("VERDI") + testoSst("ANNA"));
    for (int riga = 2; riga < 4; ++riga)
        for (int colonna = 0; colonna < 2; ++colonna)
            c.foglio += record(0x00FD, le16(riga) + le16(colonna) + le16(0) +
                                           le32(static_cast<quint32>((riga - 2) * 2 + colonna)));
    return c;
}

inline Cartella cartellaExcel95()
{
    Cartella c;
    c.biff8 = false;
    const char* valori[] = {"ROSSI", "MARIO", "VERDI", "ANNA"};
    for (int i = 0; i < 4; ++i)
        c.foglio += record(0x0204, le16(2 + i / 2) + le16(i % 2) + le16(0) +
                                       le16(static_cast<int>(qstrlen(valori[i]))) + valori[i]);
    return c;
}

// The stream as the .xls file a clerk would pick: a compound document.
inline QByteArray documento(const Cartella& c)
{
    const auto documento = documentoComposto(
        {c.biff8 ? QStringLiteral("Workbook") : QStringLiteral("Book"), c.flusso()});
    return documento ? documento.valore() : QByteArray();
}

} // namespace FlussoBiff
