#include "LetturaFoglio.h"
#include "xlsx/ScriviXlsx.h"
#include "fogli/LettoreFoglio.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The clerk may pick any file: a damaged workbook must end in an error or in
// some rows, never in a crash or a hang. Each case flips a few bytes of a
// good workbook (with a fixed seed, so a failure repeats) and reads it all.
void leggiGuasti(const QByteArray& buono, const QString& percorso, int prove)
{
    QRandomGenerator caso(20260308);
    for (int prova = 0; prova < prove; ++prova) {
        QByteArray guasto = buono;
        const int colpi = 1 + static_cast<int>(caso.bounded(8));
        for (int i = 0; i < colpi; ++i)
            guasto[static_cast<qsizetype>(caso.bounded(static_cast<quint32>(guasto.size())))] =
                static_cast<char>(caso.bounded(256));
        if (caso.bounded(4) == 0)
            guasto.truncate(
                static_cast<qsizetype>(caso.bounded(static_cast<quint32>(guasto.size()))));
        QFile file(percorso);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(guasto);
        file.close();

        auto lettore = apriFoglioExcel(percorso, regoleProva());
        if (!lettore)
            continue;
        const auto lettura = leggiTutto(*lettore.valore());
        // A sheet has at most 500000 - 2 data rows, damaged or not.
        EXPECT_LE(lettura.righe.size(), 499998u);
    }
}

QByteArray contenuto(const QString& percorso)
{
    QFile file(percorso);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// `dati` as a workbook named `nome`, opened as the import opens it.
Esito<std::unique_ptr<LettoreFoglio>> apriDati(const QTemporaryDir& cartella, const char* nome,
                                               const QByteArray& dati)
{
    const QString percorso = cartella.filePath(QLatin1String(nome));
    QFile file(percorso);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(dati) != dati.size())
        return Errore{QStringLiteral("file di prova non scritto")};
    file.close();
    return apriFoglioExcel(percorso, regoleProva());
}

} // namespace

TEST(FileDanneggiati, DamagedXlsNeverCrashes)
{
    QTemporaryDir cartella;
    const QByteArray buono =
        contenuto(QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/operazioni.xls"));
    ASSERT_FALSE(buono.isEmpty());
    leggiGuasti(buono, cartella.filePath(QStringLiteral("guasto.xls")), 300);
}

TEST(FileDanneggiati, AnXlsWhoseRecordsRunPastTheirStreamIsRefused)
{
    // One wrong record length puts every following record out of step:
    // such a file is refused, not read as other cells.
    QTemporaryDir cartella;
    QByteArray dati = contenuto(QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/operazioni.xls"));
    const qsizetype xf =
        dati.indexOf(QByteArray("\xE0\x00\x14\x00", 4)); // an XF record, 20 bytes long
    ASSERT_GT(xf, 0);
    dati[xf + 2] = static_cast<char>(0xD7);
    const auto lettore = apriDati(cartella, "sfasato.xls", dati);
    ASSERT_FALSE(lettore.ok());
    EXPECT_TRUE(lettore.errore().contains(QStringLiteral("struttura del file non valida")))
        << lettore.errore().toStdString();
}

TEST(FileDanneggiati, DamagedXlsxNeverCrashes)
{
    QTemporaryDir cartella;
    const QString percorso = cartella.filePath(QStringLiteral("buono.xlsx"));
    OpzioniXlsx opzioni;
    opzioni.testiCondivisi = {QStringLiteral("ROSSI"), QStringLiteral("MARIO")};
    QByteArray righe;
    for (int r = 3; r < 40; ++r) {
        const QByteArray n = QByteArray::number(r);
        righe += ScriviXlsx::riga(
            r, ScriviXlsx::cella("A" + n, "s", "0") + ScriviXlsx::cella("B" + n, "s", "1") +
                   ScriviXlsx::cella("C" + n, "", "29353", ScriviXlsx::Data14) +
                   ScriviXlsx::testo("D" + n, QStringLiteral("x")));
    }
    ASSERT_TRUE(ScriviXlsx::crea(percorso, righe, opzioni));
    leggiGuasti(contenuto(percorso), cartella.filePath(QStringLiteral("guasto.xlsx")), 300);
}

TEST(FileDanneggiati, AnXlsWhoseSheetsDoNotCloseInTurnIsRefused)
{
    // The globals and each sheet run from a BOF to an EOF. The record type
    // of an EOF becomes 0 (an unknown record of no length), so every length
    // still adds up and only the nesting is wrong: the globals would take in
    // the first sheet, the first sheet the second. A later sheet is never
    // read, so its own damage does not matter.
    const QByteArray fineEInizio("\x0A\x00\x00\x00\x09\x08\x10\x00\x00\x06\x10\x00",
                                 12); // EOF, then a sheet's BOF
    const QByteArray buono =
        contenuto(QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/operazioni.xls"));
    const qsizetype fineGlobali = buono.indexOf(fineEInizio);
    ASSERT_GT(fineGlobali, 0);
    const qsizetype finePrimoFoglio = buono.indexOf(fineEInizio, fineGlobali + 1);
    ASSERT_GT(finePrimoFoglio, fineGlobali);

    const struct
    {
        const char* caso;
        qsizetype fine;
    } casi[] = {
        {"workbook globals without their EOF", fineGlobali},
        {"first sheet without its EOF", finePrimoFoglio},
    };
    QTemporaryDir cartella;
    for (const auto& caso : casi) {
        QByteArray dati = buono;
        dati[caso.fine] = '\0';
        const auto lettore = apriDati(cartella, "senza-fine.xls", dati);
        ASSERT_FALSE(lettore.ok()) << caso.caso;
        EXPECT_TRUE(lettore.errore().contains(QStringLiteral("struttura del file non valida")))
            << caso.caso << ": " << lettore.errore().toStdString();
    }
}

TEST(FileDanneggiati, AnXlsWhoseWorkbookEntryIsNoStreamIsRefused)
{
    // The directory of the compound document names the workbook's stream.
    // An entry of that name marked as a folder (storage) is damage, not a
    // workbook of some older kind.
    QByteArray dati = contenuto(QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/operazioni.xls"));
    const qsizetype voce = dati.indexOf(QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0\0\0", 18));
    ASSERT_GT(voce, 0);
    ASSERT_EQ(dati[voce + 0x42], '\x02'); // a stream
    dati[voce + 0x42] = '\x01';
    QTemporaryDir cartella;
    const auto lettore = apriDati(cartella, "cartella.xls", dati);
    ASSERT_FALSE(lettore.ok());
    EXPECT_TRUE(lettore.errore().contains(QStringLiteral("struttura del file non valida")))
        << lettore.errore().toStdString();
}

TEST(FileDanneggiati, AnXlsWorkbookEntryNameEndsAtItsTerminator)
{
    // An entry may claim a longer name than it holds, the rest being
    // terminators: the workbook is still found by it, error value at row 4
    // included.
    QByteArray dati = contenuto(QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/errore.xls"));
    const qsizetype voce = dati.indexOf(QByteArray("W\0o\0r\0k\0b\0o\0o\0k\0\0\0\0\0\0\0", 22));
    ASSERT_GT(voce, 0);
    dati[voce + 0x40] = 24; // the name's length in bytes, three terminators included
    QTemporaryDir cartella;
    auto lettore = apriDati(cartella, "nome-lungo.xls", dati);
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    const auto lettura = leggiTutto(*lettore.valore());
    EXPECT_EQ(lettura.righe.size(), 1u);
    EXPECT_EQ(lettura.errore,
              QStringLiteral("Riga 4, colonna 3: valore di errore #N/D nel foglio."));
}

TEST(FileDanneggiati, TheWorkbooksFuzzingFoundAreRefused)
{
    // Found by fuzzing: a workbook entry named "Workbook8" (no terminator)
    // followed by an entry claiming a 7424-byte name; an oversized record in
    // the first sheet that runs on into the second, whose cells would be
    // read as the first's; a cell given a date twice.
    const struct
    {
        const char* file;
        const char* motivo;
    } casi[] = {
        {"nome-senza-terminatore.xls", "il file non contiene una cartella di lavoro"},
        {"foglio-senza-dimensioni.xls", "struttura del file non valida"},
        {"cella-ripetuta.xls", "struttura del file non valida"},
    };
    for (const auto& caso : casi) {
        const auto lettore = apriFoglioExcel(
            QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/danneggiati/") + QLatin1String(caso.file),
            regoleProva());
        ASSERT_FALSE(lettore.ok()) << caso.file;
        EXPECT_TRUE(lettore.errore().contains(QLatin1String(caso.motivo)))
            << caso.file << ": " << lettore.errore().toStdString();
    }
}
