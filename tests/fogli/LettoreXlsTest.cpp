#include "FlussoBiff.h"
#include "LetturaFoglio.h"
#include "fogli/LettoreFoglio.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>

using namespace FlussoBiff;

namespace {

QString fixture(const char* nome)
{
    return QStringLiteral(ZEFIRANTE_DATI_PROVA "/fogli/") + QLatin1String(nome);
}

Esito<std::unique_ptr<LettoreFoglio>> apri(const Cartella& c)
{
    return apriFoglioExcel(documento(c), QStringLiteral("prova.xls"), regoleProva());
}

LetturaFoglio leggi(const Cartella& c)
{
    auto lettore = apri(c);
    if (!lettore)
        return LetturaFoglio{{}, QStringLiteral("non aperto: ") + lettore.errore()};
    return leggiTutto(*lettore.valore());
}

QByteArray doppio(double valore)
{
    QByteArray byte(8, '\0');
    std::memcpy(byte.data(), &valore, 8);
    return byte;
}

QByteArray cella(int tipo, int riga, int colonna, int stile, const QByteArray& resto)
{
    return record(tipo, le16(riga) + le16(colonna) + le16(stile) + resto);
}

// A formula with its cached result (8 bytes) and no tokens.
QByteArray formula(int riga, int colonna, int stile, const QByteArray& risultato)
{
    return cella(0x0006, riga, colonna, stile, risultato + le16(0) + le32(0) + le16(0));
}

// Row 3 named ROSSI MARIO in columns 1 and 2, so the data do not end there.
Cartella conNomi()
{
    Cartella c;
    c.tabella = record(0x00FC, le32(2) + le32(2) + testoSst("ROSSI") + testoSst("MARIO"));
    c.foglio = cella(0x00FD, 2, 0, 0, le32(0)) + cella(0x00FD, 2, 1, 0, le32(1));
    return c;
}

} // namespace

// operazioni.xls is made by crea_fixture_xls.py beside it.
TEST(LettoreXls, ReadsTheFirstWorksheetLikeAnXlsx)
{
    auto lettore = apriFoglioExcel(fixture("operazioni.xls"), regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    EXPECT_EQ(lettore.valore()->quotaLetta(), 0); // for the progress bar
    const auto lettura = leggiTutto(*lettore.valore());
    EXPECT_GT(lettore.valore()->quotaLetta(), 0.5); // cells after the data are never handed out
    EXPECT_LE(lettore.valore()->quotaLetta(), 1);
    EXPECT_EQ(lettura.errore, QString());
    ASSERT_EQ(numeri(lettura), (std::vector<int>{3, 4}));

    const auto& v = lettura.righe[0].valori;
    EXPECT_EQ(v[0], QStringLiteral("ROSSÈ"));
    EXPECT_EQ(v[1], QStringLiteral("MARIO "));
    EXPECT_EQ(v[2], QStringLiteral("M"));
    EXPECT_EQ(v[3], QString());
    EXPECT_EQ(v[4], QStringLiteral("12/05/1980"));
    EXPECT_EQ(v[11], QStringLiteral("01/03/2026 14:30:05"));
    // Formula results as Excel cached them: a number, a boolean, a date.
    EXPECT_EQ(v[7], QStringLiteral("3001,5"));
    EXPECT_EQ(v[9], QStringLiteral("FALSO"));
    EXPECT_EQ(v[12], QStringLiteral("12/05/1980"));
    EXPECT_EQ(v[18], QStringLiteral("1500,75"));
    EXPECT_EQ(v[19], QStringLiteral("3"));
    EXPECT_EQ(v[20], QStringLiteral("12345678901234600"));
    EXPECT_EQ(v[21], QStringLiteral("VERO"));

    const auto& anna = lettura.righe[1].valori;
    EXPECT_EQ(anna[0], QStringLiteral("   "));
    EXPECT_EQ(anna[1], QStringLiteral("ANNA"));
    EXPECT_EQ(anna[18], QStringLiteral("0,1"));
}

TEST(LettoreXls, AMonthSavedByLibreOfficeReadsAsTheXlsxItCameFrom)
{
    // The example months, and LibreOffice's .xls of each: its own shared
    // strings, MULRK runs, styles and date formats.
    for (const char* mese : {"libreoffice/mese", "libreoffice/errori"}) {
        SCOPED_TRACE(mese);
        auto xls = apriFoglioExcel(fixture(mese) + QStringLiteral(".xls"), regoleProva());
        auto xlsx = apriFoglioExcel(fixture(mese) + QStringLiteral(".xlsx"), regoleProva());
        ASSERT_TRUE(xls.ok() && xlsx.ok());
        const auto daXls = leggiTutto(*xls.valore());
        const auto daXlsx = leggiTutto(*xlsx.valore());
        EXPECT_EQ(daXls.errore, daXlsx.errore);
        ASSERT_GE(daXlsx.righe.size(), 10u);
        ASSERT_EQ(numeri(daXls), numeri(daXlsx));
        for (std::size_t i = 0; i < daXls.righe.size(); ++i)
            EXPECT_EQ(daXls.righe[i].valori, daXlsx.righe[i].valori) << "riga " << i + 3;
    }
}

TEST(LettoreXls, AnErrorValueStopsTheRunAfterTheRowsBeforeIt)
{
    auto lettore = apriFoglioExcel(fixture("errore.xls"), regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    const auto lettura = leggiTutto(*lettore.valore());
    EXPECT_EQ(numeri(lettura), std::vector<int>{3});
    EXPECT_EQ(lettura.errore,
              QStringLiteral("Riga 4, colonna 3: valore di errore #N/D nel foglio."));
}

TEST(LettoreXls, TheContentNotTheNameTellsTheFormat)
{
    QTemporaryDir cartella;
    // An .xls saved under an .xlsx name, and the other way round a text file.
    const QString travestito = cartella.filePath(QStringLiteral("dati.xlsx"));
    ASSERT_TRUE(QFile::copy(fixture("operazioni.xls"), travestito));
    auto lettore = apriFoglioExcel(travestito, regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    EXPECT_EQ(leggiTutto(*lettore.valore()).righe.size(), 2u);

    const QByteArray finto =
        QByteArray("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + QByteArray(600, '\0');
    EXPECT_FALSE(apriFoglioExcel(finto, QStringLiteral("finto.xls"), regoleProva()).ok());
}

TEST(LettoreXls, SharedStringsRunOnAcrossContinueRecords)
{
    // Where a string's characters are cut, the next record starts with its
    // own flags: the rest may be one byte or two per character. Formatting
    // runs and phonetic data may be cut anywhere, without flags.
    Cartella c = conNomi();
    c.tabella = record(0x00FC, le32(4) + le32(4) + testoSst("ROSSI") + le16(5) + '\0' + "MA") +
                record(0x003C, QByteArray("\x01R\0I\0O\0", 7) + le16(5) + '\x0C' + le16(1) +
                                   le32(6) + "VER") +
                record(0x003C, QByteArray(1, '\0') + "DI" + le32(0) + "\x01\x02") +
                record(0x003C, QByteArray("\x03\x04\x05\x06", 4) + le16(4) + '\x01' +
                                   QByteArray("A\0N\0N\0\xC0\0", 8));
    c.foglio += cella(0x00FD, 3, 0, 0, le32(2)) + cella(0x00FD, 3, 1, 0, le32(3));
    const auto lettura = leggi(c);
    ASSERT_EQ(lettura.errore, QString());
    ASSERT_EQ(lettura.righe.size(), 2u);
    EXPECT_EQ(lettura.righe[0].valori[1], QStringLiteral("MARIO"));
    EXPECT_EQ(lettura.righe[1].valori[0], QStringLiteral("VERDI"));
    EXPECT_EQ(lettura.righe[1].valori[1], QStringLiteral("ANNÀ"));
}

TEST(LettoreXls, EveryKindOfCellShowsAsTheSheetShowsIt)
{
    Cartella c = conNomi();
    // Styles 1 and 2 after the default: the built-in date 14 and a date
    // format of the workbook's own.
    c.primaFogli = record(0x041E, le16(164) + le16(19) + '\0' + "dd/mm/yyyy hh:mm:ss") +
                   record(0x00E0, le16(0) + le16(14) + QByteArray(16, '\0')) +
                   record(0x00E0, le16(0) + le16(164) + QByteArray(16, '\0'));
    c.foglio += cella(0x0203, 2, 2, 0, doppio(1500.75)) +      // NUMBER
                cella(0x027E, 2, 3, 0, le32(42 << 2 | 2)) +    // RK integer
                cella(0x027E, 2, 4, 0, le32(12345 << 2 | 3)) + // RK integer / 100
                cella(0x027E, 2, 5, 0, le32(0x3FF80000)) +     // RK double 1.5
                cella(0x027E, 2, 6, 0, le32(0x40CD7180 | 1)) + // RK double 15075 / 100
                record(0x00BD, le16(2) + le16(7) + le16(1) + le32(29353 << 2 | 2) + le16(0) +
                                   le32(7 << 2 | 2) + le16(8)) + // MULRK: a date, a number
                record(0x00BE, le16(2) + le16(9) + le16(0) + le16(0) + le16(10)) + // MULBLANK
                cella(0x0205, 2, 11, 0, QByteArray("\x01\x00", 2)) +               // BOOLERR: true
                cella(0x0204, 2, 12, 0, le16(4) + '\0' + "NOTA") +                 // LABEL
                cella(0x00D6, 2, 13, 0, le16(3) + '\0' + "RSS" + le16(0)) +        // RSTRING
                formula(2, 14, 2, doppio(46082.604224537)) + // a date and time
                formula(2, 15, 0, QByteArray("\0\0\0\0\0\0\xFF\xFF", 8)) +
                record(0x0207, le16(6) + '\0' + "MILANO") +                  // its text result
                formula(2, 16, 0, QByteArray("\x01\0\0\0\0\0\xFF\xFF", 8)) + // FALSE
                formula(2, 17, 0, QByteArray("\x03\0\0\0\0\0\xFF\xFF", 8));  // empty text
    const auto lettura = leggi(c);
    ASSERT_EQ(lettura.errore, QString());
    ASSERT_EQ(lettura.righe.size(), 1u);
    const auto& v = lettura.righe[0].valori;
    const std::vector<QString> attesi = {
        "ROSSI",  "MARIO",  "1500,75",    "42",  "123,45",
        "1,5",    "150,75", "12/05/1980", "7",   "",
        "",       "VERO",   "NOTA",       "RSS", "01/03/2026 14:30:05",
        "MILANO", "FALSO",  "",           "",    "",
        "",       ""};
    EXPECT_EQ(v, attesi);

    // Dates of a Mac workbook count from 1904.
    Cartella mac = conNomi();
    mac.primaFogli =
        record(0x0022, le16(1)) + record(0x00E0, le16(0) + le16(14) + QByteArray(16, '\0'));
    mac.foglio += cella(0x0203, 2, 2, 1, doppio(0));
    EXPECT_EQ(leggi(mac).righe.at(0).valori[2], QStringLiteral("01/01/1904"));
}

TEST(LettoreXls, Excel95TextsAreReadInTheWorkbooksCodePage)
{
    Cartella c = cartellaExcel95();
    c.foglio = cella(0x0204, 2, 0, 0, le16(5) + "ROSS\xC8") +
               cella(0x0204, 2, 1, 0, le16(5) + "MARIO") +
               formula(2, 2, 0, QByteArray("\0\0\0\0\0\0\xFF\xFF", 8)) +
               record(0x0207, le16(3) + "\x80\xE0\xF9");
    auto lettura = leggi(c);
    ASSERT_EQ(lettura.errore, QString());
    ASSERT_EQ(lettura.righe.size(), 1u);
    EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("ROSSÈ"));
    EXPECT_EQ(lettura.righe[0].valori[2], QStringLiteral("€àù"));

    c.codifica = 28591; // Latin-1: 0x80 is a control character, not the euro
    EXPECT_EQ(leggi(c).righe.at(0).valori[2], QStringLiteral("\u0080àù"));
    c.codifica = 1251; // Cyrillic: the accents would read as other letters
    EXPECT_TRUE(leggi(c).errore.contains(QStringLiteral("tabella codici 1251")))
        << leggi(c).errore.toStdString();
}

TEST(LettoreXls, TheFirstWorksheetInTabOrderIsReadWhateverComesBeforeOrInsideIt)
{
    // A chart sheet before it in the tabs, and a chart drawn on it, whose
    // records (a substream of their own) hold no cells of the sheet.
    Cartella c = conNomi();
    c.altriFogli = record(0x0085, le32(0) + '\0' + '\x02' + '\x07' + '\0' + "Grafico");
    c.foglio = c.bof(0x0020) + cella(0x00FD, 2, 0, 0, le32(1)) + record(0x000A, {}) + c.foglio;
    const auto lettura = leggi(c);
    ASSERT_EQ(lettura.errore, QString());
    ASSERT_EQ(lettura.righe.size(), 1u);
    EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("ROSSI"));

    Cartella soloGrafici = conNomi();
    soloGrafici.tipoFoglio = 2;
    EXPECT_TRUE(leggi(soloGrafici).errore.contains(QStringLiteral("non contiene fogli di lavoro")));
}

TEST(LettoreXls, DamageAndPasswordsAreRefusedWithAClearReason)
{
    struct Caso
    {
        const char* caso;
        std::function<void(Cartella&)> guasta;
        const char* motivo;
    };
    const QString danno = QStringLiteral("struttura del file non valida");
    const Caso casi[] = {
        {"sheet pointing inside a substream", [](Cartella& c) { c.spostamento = 4; }, nullptr},
        {"one cell given twice", [](Cartella& c) { c.foglio += cella(0x0203, 2, 0, 0, doppio(1)); },
         nullptr},
        {"UTF-16 string cut inside a character",
         [](Cartella& c) {
             c.tabella =
                 record(0x00FC, le32(2) + le32(2) + testoSst("ROSSI") + le16(2) + '\x01' + "M") +
                 record(0x003C, QByteArray("\x01\0A\0", 4));
         },
         nullptr},
        {"second shared string table", [](Cartella& c) { c.primaFogli = c.tabella; }, nullptr},
        {"shared string past the table",
         [](Cartella& c) { c.foglio += cella(0x00FD, 3, 0, 0, le32(2)); }, nullptr},
        {"MULRK whose last column disagrees",
         [](Cartella& c) {
             c.foglio += record(0x00BD, le16(2) + le16(5) + le16(0) + le32(2) + le16(9));
         },
         nullptr},
        {"cell record too short", [](Cartella& c) { c.foglio += record(0x0203, le16(2)); },
         nullptr},
        {"sheet without its EOF", [](Cartella& c) { c.foglio += c.bof(0x0020); }, nullptr},
        {"record of type 0 in the sheet", [](Cartella& c) { c.foglio += record(0, {}); }, nullptr},
        {"encrypted", [](Cartella& c) { c.primaFogli = record(0x002F, QByteArray(54, '\0')); },
         "la cartella di lavoro è protetta da password"},
    };
    for (const Caso& caso : casi) {
        Cartella c = conNomi();
        caso.guasta(c);
        const auto lettore = apri(c);
        ASSERT_FALSE(lettore.ok()) << caso.caso;
        EXPECT_EQ(lettore.errore(),
                  QStringLiteral("Impossibile leggere la cartella di lavoro Excel prova.xls: %1.")
                      .arg(caso.motivo ? QString::fromUtf8(caso.motivo) : danno))
            << caso.caso;
    }

    // A workbook of Excel 4.0 or older (the BOF's version 0x0400) is named so.
    QByteArray vecchio = documento(conNomi());
    const qsizetype bof = vecchio.indexOf(QByteArray("\x09\x08\x10\x00\x00\x06\x05\x00", 8));
    ASSERT_GT(bof, 0);
    vecchio[bof + 5] = '\x04';
    const auto lettore = apriFoglioExcel(vecchio, QStringLiteral("prova.xls"), regoleProva());
    ASSERT_FALSE(lettore.ok());
    EXPECT_TRUE(lettore.errore().contains(QStringLiteral("versione di Excel")))
        << lettore.errore().toStdString();
}
