#include "fogli/StrutturaBiff.h"

#include "LetturaFoglio.h"
#include "fogli/DocumentoComposto.h"
#include "fogli/LettoreFoglio.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

// Workbook streams built record by record, so each test can damage exactly
// the part FreeXL would misread.
namespace {

QByteArray le16(int v)
{
    QByteArray byte(2, '\0');
    byte[0] = static_cast<char>(v & 0xFF);
    byte[1] = static_cast<char>((v >> 8) & 0xFF);
    return byte;
}

QByteArray le32(quint32 v)
{
    return le16(static_cast<int>(v & 0xFFFF)) + le16(static_cast<int>(v >> 16));
}

QByteArray record(int tipo, const QByteArray& dati)
{
    return le16(tipo) + le16(static_cast<int>(dati.size())) + dati;
}

// A string as the shared table holds it: count, flags, characters.
QByteArray testoSst(const QByteArray& caratteri, int opzioni = 0)
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
    int nomeOpzioni = 0; // flags of the sheet name (Excel 97-2003)

    QByteArray bof(int tipo) const
    {
        return record(0x0809, biff8 ? le16(0x0600) + le16(tipo) + QByteArray(12, '\0')
                                    : le16(0x0500) + le16(tipo) + QByteArray(4, '\0'));
    }

    QByteArray boundsheet(quint32 inizio) const
    {
        const QByteArray nome("Foglio1");
        QByteArray dati = le32(inizio) + QByteArray(2, '\0') + static_cast<char>(nome.size());
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
            globali += record(0x0042, le16(1252)); // CODEPAGE
        globali += record(0x00E0, QByteArray(biff8 ? 20 : 16, '\0'));
        globali += tabella + primaFogli;
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
Cartella cartellaConTabella()
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

Cartella cartellaExcel95()
{
    Cartella c;
    c.biff8 = false;
    const char* valori[] = {"ROSSI", "MARIO", "VERDI", "ANNA"};
    for (int i = 0; i < 4; ++i)
        c.foglio += record(0x0204, le16(2 + i / 2) + le16(i % 2) + le16(0) +
                                       le16(static_cast<int>(qstrlen(valori[i]))) + valori[i]);
    return c;
}

Esito<std::unique_ptr<LettoreFoglio>> apri(const QTemporaryDir& cartella, const Cartella& c)
{
    const QString percorso = cartella.filePath(QStringLiteral("prova.xls"));
    const auto documento = documentoComposto(
        {c.biff8 ? QStringLiteral("Workbook") : QStringLiteral("Book"), c.flusso()});
    QFile file(percorso);
    if (!documento || !file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Errore{QStringLiteral("prova non scritta")};
    file.write(documento.valore());
    file.close();
    return apriFoglioExcel(percorso, regoleProva());
}

} // namespace

TEST(StrutturaBiff, WholeWorkbooksOfBothFormatsAreReadThroughTheRebuiltFile)
{
    // In the Excel 97-2003 table "VERDI" is cut after "VE": the rest is in a
    // CONTINUE record that starts with its own flags byte.
    Cartella tagliata = cartellaConTabella();
    tagliata.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + testoSst("MARIO") +
                                          le16(5) + '\0' + "VE") +
                       record(0x003C, QByteArray(1, '\0') + "RDI" + testoSst("ANNA"));
    QTemporaryDir cartella;
    for (const Cartella& c : {cartellaConTabella(), tagliata, cartellaExcel95()}) {
        ASSERT_TRUE(verificaStrutturaBiff(c.flusso()).ok());
        auto lettore = apri(cartella, c);
        ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
        const auto lettura = leggiTutto(*lettore.valore());
        EXPECT_EQ(lettura.errore, QString());
        ASSERT_EQ(numeri(lettura), (std::vector<int>{3, 4})) << c.biff8;
        EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("ROSSI"));
        EXPECT_EQ(lettura.righe[0].valori[1], QStringLiteral("MARIO"));
        EXPECT_EQ(lettura.righe[1].valori[0], QStringLiteral("VERDI"));
        EXPECT_EQ(lettura.righe[1].valori[1], QStringLiteral("ANNA"));
    }
}

TEST(StrutturaBiff, Excel95FormulaResultsAreReadFromTheRecords)
{
    // FreeXL leaves formula cells empty: a text result (in the STRING
    // record after the formula, Windows-1252) and a number come from the
    // workbook's own records.
    Cartella c;
    c.biff8 = false;
    auto formula = [](int riga, int colonna, const QByteArray& risultato) {
        return record(0x0006, le16(riga) + le16(colonna) + le16(0) + risultato + le16(0) + le32(0) +
                                  le16(0));
    };
    QByteArray numero(8, '\0');
    const double valore = 3001.5;
    std::memcpy(numero.data(), &valore, 8);
    c.foglio =
        formula(2, 0, QByteArray(6, '\0') + "\xFF\xFF") + record(0x0207, le16(5) + "ROSS\xC8") +
        record(0x0204, le16(2) + le16(1) + le16(0) + le16(5) + "MARIO") +
        record(0x0204, le16(3) + le16(0) + le16(0) + le16(5) + "VERDI") + formula(3, 1, numero);
    QTemporaryDir cartella;
    auto lettore = apri(cartella, c);
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    const auto lettura = leggiTutto(*lettore.valore());
    ASSERT_EQ(numeri(lettura), (std::vector<int>{3, 4}));
    EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("ROSSÈ"));
    EXPECT_EQ(lettura.righe[0].valori[1], QStringLiteral("MARIO"));
    EXPECT_EQ(lettura.righe[1].valori[1], QStringLiteral("3001,5"));
}

TEST(StrutturaBiff, WhatFreeXLWouldMisreadIsRefused)
{
    struct Caso
    {
        const char* caso;
        std::function<void(Cartella&)> guasta;
    };
    const Caso casi[] = {
        // FreeXL then reads the file a second time and gives the wrong
        // sheet a cell table, losing the first.
        {"sheet without its size",
         [](Cartella& c) {
             c.dimensioni = QByteArray("");
             c.foglio.clear(); // cells outside a size are refused on their own
         }},
        {"sheet pointing inside a substream", [](Cartella& c) { c.spostamento = 4; }},
        {"two sheets on one substream", [](Cartella& c) { c.fogli = 2; }},
        {"size only inside a chart of the sheet",
         [](Cartella& c) {
             c.dimensioni =
                 c.bof(0x0020) + record(0x0200, QByteArray(14, '\0')) + record(0x000A, {});
         }},
        // FreeXL overwrites a cell's text without freeing it.
        {"one cell given twice",
         [](Cartella& c) {
             c.foglio += record(0x0204, le16(2) + le16(0) + le16(0) + testoSst("ROSSI"));
         }},
        // ... and loses a text it has no room for.
        {"text beyond the sheet's size",
         [](Cartella& c) {
             c.foglio += record(0x0204, le16(10) + le16(0) + le16(0) + testoSst("ROSSI"));
         }},
        {"cell beyond the last column",
         [](Cartella& c) {
             c.foglio += record(0x0203, le16(5) + le16(256) + QByteArray(10, '\0'));
         }},
        // FreeXL ends the stream at a record of type 0.
        {"record of type 0 between substreams",
         [](Cartella& c) { c.traSottoflussi = record(0, {}); }},
        {"sheet name flagged as formatted", [](Cartella& c) { c.nomeOpzioni = 0x08; }},
        {"more styles than FreeXL keeps",
         [](Cartella& c) {
             for (int i = 0; i < 8192; ++i)
                 c.primaFogli += record(0x00E0, QByteArray(20, '\0'));
         }},
        // Shared strings: FreeXL reads the extension block's size from the
        // wrong place, copies a cut string's rest without bounds, forgets
        // formatting running past the record where a cut string ends.
        {"string with an extension block",
         [](Cartella& c) {
             c.tabella =
                 record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + le16(5) + '\x04' + le32(0) +
                                    "MARIO" + testoSst("VERDI") + testoSst("ANNA"));
         }},
        {"string cut twice",
         [](Cartella& c) {
             c.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + testoSst("MARIO") +
                                            le16(5) + '\0' + "V") +
                         record(0x003C, QByteArray(1, '\0') + "ER") +
                         record(0x003C, QByteArray(1, '\0') + "DI" + testoSst("ANNA"));
         }},
        {"UTF-16 string cut inside a character",
         [](Cartella& c) {
             c.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + testoSst("MARIO") +
                                            le16(2) + '\x01' + "V") +
                         record(0x003C, QByteArray("\x01\0E\0", 4) + testoSst("ANNA"));
         }},
        {"formatting of a cut string past its second record",
         [](Cartella& c) {
             c.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + testoSst("MARIO") +
                                            le16(5) + '\x08' + le16(2) + "VE") +
                         record(0x003C, QByteArray(1, '\0') + "RDI" + QByteArray(4, '\0')) +
                         record(0x003C, QByteArray(4, '\0') + testoSst("ANNA"));
         }},
        // FreeXL takes a second table for the rest of the first.
        {"second shared string table", [](Cartella& c) { c.primaFogli = c.tabella; }},
    };
    QTemporaryDir cartella;
    for (const Caso& caso : casi) {
        Cartella c = cartellaConTabella();
        caso.guasta(c);
        EXPECT_FALSE(verificaStrutturaBiff(c.flusso()).ok()) << caso.caso;
        const auto lettore = apri(cartella, c);
        if (lettore.ok()) {
            ADD_FAILURE() << caso.caso << ": read as a workbook";
            continue;
        }
        EXPECT_TRUE(lettore.errore().contains(QStringLiteral("struttura del file non valida")))
            << caso.caso << ": " << lettore.errore().toStdString();
    }

    // Excel 5/95 texts are one byte per character after a two-byte count.
    Cartella lunga = cartellaExcel95();
    lunga.foglio += record(0x0204, le16(4) + le16(0) + le16(0) + le16(200) + "ROSSI");
    EXPECT_FALSE(verificaStrutturaBiff(lunga.flusso()).ok());
}

TEST(StrutturaBiff, AChartDrawnOnTheSheetIsNamedInTheError)
{
    // FreeXL cannot read a sheet with a chart drawn on it; the clerk is
    // told so, not that the file is damaged.
    Cartella c = cartellaConTabella();
    c.foglio += c.bof(0x0020) + record(0x1002, QByteArray(16, '\0')) + record(0x000A, {});
    QTemporaryDir cartella;
    const auto lettore = apri(cartella, c);
    ASSERT_FALSE(lettore.ok());
    EXPECT_TRUE(lettore.errore().contains(QStringLiteral("un foglio contiene un grafico")))
        << lettore.errore().toStdString();
}

TEST(StrutturaBiff, TheRebuiltFileHoldsTheStreamAloneWhateverItsSize)
{
    // 5 MB need two sectors of allocation table; a short stream is padded
    // to 4096 bytes so that it does not belong in the mini stream.
    QRandomGenerator caso(42);
    for (qsizetype dimensione : {qsizetype(100), qsizetype(4096), qsizetype(5 << 20)}) {
        QByteArray byte(dimensione, Qt::Uninitialized);
        for (char& b : byte)
            b = static_cast<char>(caso.bounded(256));
        const auto documento = documentoComposto({QStringLiteral("Workbook"), byte});
        ASSERT_TRUE(documento.ok());
        const auto letto = flussoCartella(documento.valore());
        ASSERT_TRUE(letto.ok()) << letto.errore().toStdString();
        EXPECT_EQ(letto.valore().nome, QStringLiteral("Workbook"));
        const QByteArray atteso = byte + QByteArray(qMax<qsizetype>(0, 4096 - dimensione), '\0');
        EXPECT_TRUE(letto.valore().byte == atteso) << dimensione;
    }
}
