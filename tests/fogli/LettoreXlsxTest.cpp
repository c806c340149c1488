#include "LetturaFoglio.h"
#include "xlsx/ScriviXlsx.h"
#include "fogli/LettoreFoglio.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using S = ScriviXlsx;

QByteArray nomi(int numero, const QString& cognome, const QString& nome)
{
    const QByteArray n = QByteArray::number(numero);
    return S::testo("A" + n, cognome) + S::testo("B" + n, nome);
}

class LettoreXlsxTest : public ::testing::Test
{
protected:
    LetturaFoglio leggi(const QByteArray& righe, S::Opzioni opzioni = {})
    {
        const QString percorso = m_dir.filePath(QStringLiteral("foglio.xlsx"));
        EXPECT_TRUE(S::crea(percorso, righe, std::move(opzioni)));
        auto lettore = apriFoglioExcel(percorso, regoleProva());
        if (!lettore) {
            ADD_FAILURE() << lettore.errore().toStdString();
            return {};
        }
        return leggiTutto(*lettore.valore());
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(LettoreXlsxTest, CellsReadAsAnItalianExcelShowsThem)
{
    S::Opzioni opzioni;
    opzioni.testiCondivisi = {
        QStringLiteral("ROSSI"),
        QStringLiteral("<si><r><t>MA</t></r><r><t xml:space=\"preserve\">RIO </t></r>"
                       "<rPh sb=\"0\" eb=\"1\"><t>マ</t></rPh></si>"),
        QStringLiteral("A_x000D_B")};
    const QByteArray riga3 =
        S::cella("A3", "s", "0") + S::cella("B3", "s", "1") + S::testo("C3", QStringLiteral("È")) +
        S::cella("D3", "s", "2") + S::cella("E3", "", "29353", S::Data14) // built-in date
        + S::cella("F3", "", "29353", S::DataPersonale)                   // dd/mm/yyyy;@
        + S::cella("G3", "", "29353.5", S::DataEstesa)        // [$-410]d mmmm yyyy, with a time
        + S::cella("H3", "", "29353", S::NumeroTraVirgolette) // "dd" inside quotes is text
        + S::cella("I3", "", "46082.6042245370", S::DataOra22) +
        S::cella("J3", "", "0.75", S::OraPersonale) // [h]:mm, a time alone
        + S::cella("K3", "b", "1") + S::cella("L3", "b", "0") +
        "<c r=\"M3\" t=\"str\"><f>A3&amp;B3</f><v>ROSSIMARIO</v></c>" +
        "<c r=\"N3\"><f>S3*2</f><v>3001.5</v></c>" + S::cella("O3", "", "-0.5") +
        S::cella("P3", "", "1E-7") + S::cella("Q3", "", "12345678901234567") +
        S::cella("R3", "", "0.30000000000000004") + S::cella("S3", "", "1500.75", S::Migliaia) +
        S::cella("T3", "", "3") + "<c r=\"U3\" s=\"1\"/>" // style only, no value
        + "<c r=\"V3\" t=\"d\"><v>2026-03-01T00:00:00</v></c>" +
        S::testo("W3", QStringLiteral("oltre"));

    const auto lettura = leggi(S::riga(3, riga3), opzioni);
    ASSERT_EQ(lettura.errore, QString());
    ASSERT_EQ(lettura.righe.size(), 1u);
    const auto& v = lettura.righe[0].valori;
    EXPECT_EQ(lettura.righe[0].numero, 3);
    const std::array<QString, kColonneProva> attesi = {QStringLiteral("ROSSI"),
                                                       QStringLiteral("MARIO "),
                                                       QStringLiteral("È"),
                                                       QStringLiteral("A\rB"),
                                                       QStringLiteral("12/05/1980"),
                                                       QStringLiteral("12/05/1980"),
                                                       QStringLiteral("12/05/1980 12:00:00"),
                                                       QStringLiteral("29353"),
                                                       QStringLiteral("01/03/2026 14:30:05"),
                                                       QStringLiteral("18:00:00"),
                                                       QStringLiteral("VERO"),
                                                       QStringLiteral("FALSO"),
                                                       QStringLiteral("ROSSIMARIO"),
                                                       QStringLiteral("3001,5"),
                                                       QStringLiteral("-0,5"),
                                                       QStringLiteral("0,0000001"),
                                                       QStringLiteral("12345678901234600"),
                                                       QStringLiteral("0,3"),
                                                       QStringLiteral("1500,75"),
                                                       QStringLiteral("3"),
                                                       QString(),
                                                       QStringLiteral("01/03/2026")};
    for (int i = 0; i < kColonneProva; ++i)
        EXPECT_EQ(v[static_cast<std::size_t>(i)], attesi[static_cast<std::size_t>(i)])
            << "colonna " << i + 1;
}

TEST_F(LettoreXlsxTest, DatesFollowTheWorkbookDateSystem)
{
    const QByteArray righe =
        S::riga(3, nomi(3, QStringLiteral("A"), QStringLiteral("B")) +
                       S::cella("C3", "", "0", S::Data14) + S::cella("D3", "", "29353", S::Data14) +
                       S::cella("E3", "", "60", S::Data14) + S::cella("F3", "", "61", S::Data14));
    S::Opzioni sistema1904;
    sistema1904.sistema1904 = true;
    const auto l1904 = leggi(righe, sistema1904);
    ASSERT_EQ(l1904.righe.size(), 1u);
    EXPECT_EQ(l1904.righe[0].valori[2], QStringLiteral("01/01/1904"));
    EXPECT_EQ(l1904.righe[0].valori[3], QStringLiteral("13/05/1984"));
    EXPECT_EQ(l1904.righe[0].valori[4], QStringLiteral("01/03/1904"));

    const auto l1900 = leggi(righe);
    ASSERT_EQ(l1900.righe.size(), 1u);
    EXPECT_EQ(l1900.righe[0].valori[2], QStringLiteral("00:00:00"));
    EXPECT_EQ(l1900.righe[0].valori[3], QStringLiteral("12/05/1980"));
    EXPECT_EQ(l1900.righe[0].valori[4], QStringLiteral("29/02/1900"));
    EXPECT_EQ(l1900.righe[0].valori[5], QStringLiteral("01/03/1900"));
}

TEST_F(LettoreXlsxTest, DataStartAtRowThreeAndEndAtTheFirstBlankNamePair)
{
    struct Caso
    {
        const char* nome;
        QByteArray righe;
        std::vector<int> attese;
    };
    const Caso casi[] = {
        {"headings skipped, even with an error value",
         S::riga(1, S::cella("A1", "e", "#REF!")) + S::riga(2, nomi(2, "X", "Y")) +
             S::riga(3, nomi(3, "A", "B")) + S::riga(4, nomi(4, "C", "D")),
         {3, 4}},
        {"row 3 blank: no data",
         S::riga(3, S::testo("C3", QStringLiteral("x"))) + S::riga(4, nomi(4, "C", "D")),
         {}},
        {"surname blank, first name filled: still data",
         S::riga(3, S::testo("B3", QStringLiteral("ANNA"))) + S::riga(4, nomi(4, "C", "D")),
         {3, 4}},
        {"names made of blanks end the data; nothing after is read",
         S::riga(3, nomi(3, "A", "B")) + S::riga(4, nomi(4, "  ", " ") + S::testo("C4", "x")) +
             S::riga(5, nomi(5, "E", "F") + S::cella("C5", "e", "#N/A")),
         {3}},
        {"a missing row ends the data",
         S::riga(3, nomi(3, "A", "B")) + S::riga(5, nomi(5, "E", "F")),
         {3}},
        {"a sheet starting after row 3 has no data", S::riga(4, nomi(4, "A", "B")), {}},
        {"rows and cells without references follow one another",
         "<row>" + S::testo("A1", "t") +
             "</row><row/><row><c t=\"inlineStr\"><is><t>A</t></is></c>"
             "<c t=\"inlineStr\"><is><t>B</t></is></c></row><row r=\"4\"><c/><c "
             "t=\"inlineStr\"><is><t>D</t></is></c></row>",
         {3, 4}},
        {"an error beyond column 22 is ignored",
         S::riga(3, nomi(3, "A", "B") + S::cella("W3", "e", "#DIV/0!")),
         {3}},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        const auto lettura = leggi(caso.righe);
        EXPECT_EQ(lettura.errore, QString());
        EXPECT_EQ(numeri(lettura), caso.attese);
    }
}

TEST_F(LettoreXlsxTest, RowsWithoutReferencesKeepTheirCells)
{
    const auto lettura = leggi("<row/><row/><row><c t=\"inlineStr\"><is><t>A</t></is></c><c/>"
                               "<c t=\"inlineStr\"><is><t>C</t></is></c></row>");
    ASSERT_EQ(lettura.righe.size(), 1u);
    EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("A"));
    EXPECT_EQ(lettura.righe[0].valori[1], QString());
    EXPECT_EQ(lettura.righe[0].valori[2], QStringLiteral("C"));
}

TEST_F(LettoreXlsxTest, AnErrorValueStopsTheRunAfterTheRowsBeforeIt)
{
    const auto lettura = leggi(S::riga(3, nomi(3, "A", "B")) +
                               S::riga(4, nomi(4, "C", "D") + S::cella("C4", "e", "#N/A") +
                                              S::cella("E4", "e", "#VALUE!")));
    EXPECT_EQ(numeri(lettura), std::vector<int>{3});
    EXPECT_EQ(lettura.errore,
              QStringLiteral("Riga 4, colonna 3: valore di errore #N/D nel foglio."));
}

TEST_F(LettoreXlsxTest, TheFirstWorksheetInTabOrderIsRead)
{
    S::Opzioni opzioni;
    opzioni.graficoPrima = true;
    opzioni.altroFoglio = S::riga(3, nomi(3, QStringLiteral("ALTRO"), QStringLiteral("FOGLIO")));
    const auto lettura =
        leggi(S::riga(3, nomi(3, QStringLiteral("PRIMO"), QStringLiteral("FOGLIO"))), opzioni);
    ASSERT_EQ(lettura.righe.size(), 1u);
    EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("PRIMO"));
}

TEST_F(LettoreXlsxTest, ReadingStopsAfterRow500000)
{
    const QString percorso = m_dir.filePath(QStringLiteral("grande.xlsx"));
    {
        ScriviXlsx scrittore(percorso);
        QByteArray blocco;
        for (int r = 3; r <= 500002; ++r) {
            blocco += "<row r=\"" + QByteArray::number(r) +
                      "\"><c t=\"inlineStr\"><is><t>A</t></is></c>"
                      "<c t=\"inlineStr\"><is><t>B</t></is></c></row>";
            if (blocco.size() > (1 << 20)) {
                ASSERT_TRUE(scrittore.scriviRighe(blocco));
                blocco.clear();
            }
        }
        ASSERT_TRUE(scrittore.scriviRighe(blocco));
        ASSERT_TRUE(scrittore.chiudi());
    }
    auto lettore = apriFoglioExcel(percorso, regoleProva());
    ASSERT_TRUE(lettore.ok()) << lettore.errore().toStdString();
    RigaFoglio riga;
    int righe = 0;
    int ultima = 0;
    for (;;) {
        auto esito = lettore.valore()->leggi(riga);
        ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
        if (!*esito)
            break;
        ++righe;
        ultima = riga.numero;
    }
    EXPECT_EQ(righe, 500000 - 2);
    EXPECT_EQ(ultima, 500000);
}

TEST_F(LettoreXlsxTest, DamagedWorkbooksAreErrorsNotData)
{
    const QString percorso = m_dir.filePath(QStringLiteral("rotto.xlsx"));

    // Not a workbook at all.
    QFile file(percorso);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("COGNOME;NOME\r\n");
    file.close();
    EXPECT_FALSE(apriFoglioExcel(percorso, regoleProva()).ok());

    // A zip signature with nothing behind it.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("PK\x03\x04 troncato");
    file.close();
    EXPECT_FALSE(apriFoglioExcel(percorso, regoleProva()).ok());

    // Sheet XML cut short, a shared text that does not exist.
    const auto tronco = leggi(S::riga(3, nomi(3, "A", "B")) + "<row r=\"4\"><c r=\"A4\"");
    EXPECT_FALSE(tronco.errore.isEmpty());
    const auto senzaTesto = leggi(S::riga(3, S::cella("A3", "s", "7") + S::testo("B3", "B")));
    EXPECT_TRUE(senzaTesto.righe.empty());
    EXPECT_EQ(senzaTesto.errore.left(19), QStringLiteral("Riga 3, colonna 1: "));

    EXPECT_FALSE(apriFoglioExcel(m_dir.filePath(QStringLiteral("manca.xlsx")), regoleProva()).ok());
}

TEST_F(LettoreXlsxTest, ALargeSheetReadOnItsOwnThreadEndsAsASmallOneDoes)
{
    // Over a megabyte of XML: read on threads of its own, in batches. The
    // rows come in order, the error after them; a reader given up half-way
    // stops its threads.
    QByteArray righe;
    for (int r = 3; r < 20003; ++r)
        righe += S::riga(r, nomi(r, "A", "B") + S::testo("C" + QByteArray::number(r),
                                                            QString::number(r)));
    righe += S::riga(20003, nomi(20003, "A", "B") + S::cella("C20003", "e", "#N/A"));
    ASSERT_GT(righe.size(), 1 << 20);
    const auto lettura = leggi(righe);
    ASSERT_EQ(lettura.righe.size(), 20000u);
    EXPECT_EQ(lettura.righe.back().numero, 20002);
    EXPECT_EQ(lettura.righe.back().valori[2], QStringLiteral("20002"));
    EXPECT_EQ(lettura.errore,
              QStringLiteral("Riga 20003, colonna 3: valore di errore #N/D nel foglio."));

    auto lettore = apriFoglioExcel(m_dir.filePath(QStringLiteral("foglio.xlsx")), regoleProva());
    ASSERT_TRUE(lettore.ok());
    RigaFoglio riga;
    ASSERT_TRUE(lettore.valore()->leggi(riga).ok());
    EXPECT_EQ(riga.numero, 3);
}

TEST_F(LettoreXlsxTest, TheShareReadIsMeasuredAgainstTheStatedRange)
{
    QByteArray righe;
    for (int r = 3; r <= 12; ++r)
        righe += S::riga(r, nomi(r, "ROSSI", "MARIO"));
    const QString percorso = m_dir.filePath(QStringLiteral("foglio.xlsx"));
    for (const auto& [dimensione, attesa] :
         {std::pair<QByteArray, double>{"A1:V12", 0.5}, {"A1:v$1", -1}, {"", -1}}) {
        S::Opzioni opzioni;
        opzioni.dimensione = dimensione;
        ASSERT_TRUE(S::crea(percorso, righe, opzioni));
        auto lettore = apriFoglioExcel(percorso, regoleProva());
        ASSERT_TRUE(lettore.ok());
        RigaFoglio riga;
        for (int i = 0; i < 5; ++i)
            ASSERT_TRUE(lettore.valore()->leggi(riga).valore());
        EXPECT_DOUBLE_EQ(lettore.valore()->quotaLetta(), attesa) << dimensione.constData();
    }
}
