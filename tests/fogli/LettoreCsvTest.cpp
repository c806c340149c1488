#include "fogli/LettoreCsv.h"

#include "LetturaFoglio.h"
#include "base/Cp1252.h"
#include "fogli/LettoreFoglio.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A line of `n` fields "c1", "c2", ... joined by `separatore`.
QByteArray linea(int n, const QByteArray& separatore = ";", const QByteArray& primo = "c1")
{
    QByteArray testo = primo;
    for (int i = 2; i <= n; ++i)
        testo += separatore + 'c' + QByteArray::number(i);
    return testo;
}

class LettoreCsvTest : public ::testing::Test
{
protected:
    QString scrivi(const QByteArray& contenuto)
    {
        const QString percorso = m_dir.filePath(QStringLiteral("dati%1.csv").arg(++m_file));
        QFile file(percorso);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contenuto);
        return percorso;
    }

    LetturaFoglio leggi(const QByteArray& contenuto, int primaRiga = 1,
                        const QString& separatore = QStringLiteral(";"))
    {
        auto lettore = apriFoglioCsv(scrivi(contenuto), csvProva(separatore, primaRiga));
        if (!lettore) {
            ADD_FAILURE() << lettore.errore().toStdString();
            return {};
        }
        return leggiTutto(*lettore.valore());
    }

    QTemporaryDir m_dir;
    int m_file = 0;
};

} // namespace

TEST_F(LettoreCsvTest, TheEncodingIsUtf8OnlyWhenTheBytesSaySo)
{
    struct Caso
    {
        const char* nome;
        QByteArray primo;
        bool utf8;
    };
    const Caso casi[] = {
        {"UTF-8 with byte-order mark", QByteArray("\xEF\xBB\xBF") + "\xC3\x88", true},
        {"UTF-8 without mark", "\xC3\x88", true},
        {"Windows-1252", "\xC8", false},
        {"valid UTF-8 up to a last Windows-1252 line", "\xC3\x88", false},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        QByteArray contenuto = linea(22, ";", caso.primo) + "\r\n";
        if (!caso.utf8 && caso.primo.startsWith('\xC3'))
            contenuto +=
                linea(22, ";", "\xE0") + "\r\n"; // "à" in Windows-1252, a broken sequence in UTF-8
        auto lettore = apriFoglioCsv(scrivi(contenuto), csvProva(QStringLiteral(";"), 1));
        ASSERT_TRUE(lettore.ok());
        auto utf8 = static_cast<LettoreCsv&>(*lettore.valore()).codificaUtf8();
        ASSERT_TRUE(utf8.ok());
        EXPECT_EQ(*utf8, caso.utf8);
        const auto lettura = leggiTutto(*lettore.valore());
        ASSERT_FALSE(lettura.righe.empty());
        const bool utf8Malformato = !caso.utf8 && caso.primo.startsWith('\xC3');
        EXPECT_EQ(lettura.righe[0].valori[0],
                  utf8Malformato ? QStringLiteral("Ã\u02C6") : QStringLiteral("È"));
        if (utf8Malformato) {
            EXPECT_EQ(lettura.righe[1].valori[0], QStringLiteral("à"));
        }
    }
}

TEST_F(LettoreCsvTest, TheWholeFileSettlesTheEncodingWhenALaterLineFirstNeedsIt)
{
    // ASCII lines come first and read the same either way; the first line
    // with other bytes is read by what every byte of the file says, the
    // headings before the data and the lines after it included.
    const QByteArray ascii = linea(22, ";", "ROSSI") + "\r\n";
    const QByteArray e = linea(22, ";", "\xC3\x88") + "\r\n"; // "È" in UTF-8
    const struct
    {
        const char* nome;
        QByteArray contenuto;
        std::size_t rigaE; // the data row holding the "È" bytes
        QString atteso;
    } casi[] = {
        {"valid UTF-8", "intestazione\r\n" + ascii + ascii + e, 2, QStringLiteral("È")},
        {"Windows-1252 in the heading", "intestazione \xE0\r\n" + ascii + e, 1,
         QStringLiteral("Ã\u02C6")},
        {"Windows-1252 after the line", "intestazione\r\n" + ascii + e + linea(22, ";", "\xE0"), 1,
         QStringLiteral("Ã\u02C6")},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(caso.nome);
        const auto lettura = leggi(caso.contenuto, 2);
        ASSERT_EQ(lettura.errore, QString());
        ASSERT_GT(lettura.righe.size(), caso.rigaE);
        EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("ROSSI"));
        EXPECT_EQ(lettura.righe[caso.rigaE].valori[0], caso.atteso);
    }
}

TEST_F(LettoreCsvTest, LinesEndWithCrLfLfOrCrAndAreNumberedFromOne)
{
    const QByteArray contenuto = "intestazione\r\n" + linea(22, ";", "due") + "\n" +
                                 linea(22, ";", "tre") + "\r" + linea(22, ";", "quattro") + "\r\n" +
                                 linea(22, ";", "cinque"); // no ending on the last line
    const auto lettura = leggi(contenuto, 2);
    EXPECT_EQ(lettura.errore, QString());
    EXPECT_EQ(numeri(lettura), (std::vector<int>{2, 3, 4, 5}));
    ASSERT_EQ(lettura.righe.size(), 4u);
    EXPECT_EQ(lettura.righe[1].valori[0], QStringLiteral("tre"));
    EXPECT_EQ(lettura.righe[3].valori[0], QStringLiteral("cinque"));
    EXPECT_EQ(lettura.righe[3].valori[21], QStringLiteral("c22"));
}

TEST_F(LettoreCsvTest, ACarriageReturnAtABlockEdgeStillPairsWithItsLineFeed)
{
    // Lines long enough that some CR LF pair straddles the reader's blocks.
    QByteArray contenuto;
    for (int i = 0; i < 40; ++i)
        contenuto += linea(22, ";", QByteArray(9000 + i, 'x')) + "\r\n";
    const auto lettura = leggi(contenuto);
    EXPECT_EQ(lettura.errore, QString());
    EXPECT_EQ(lettura.righe.size(), 40u);
}

TEST_F(LettoreCsvTest, FieldsAreSplitAtEverySeparatorAndLoseEveryQuote)
{
    const auto lettura =
        leggi("\"ROSSI\";\"MARIO; JR\";  spazi  ;\"\"" + linea(19, ";", "") + "\r\n", 1);
    ASSERT_EQ(lettura.errore, QString());
    ASSERT_EQ(lettura.righe.size(), 1u);
    const auto& v = lettura.righe[0].valori;
    EXPECT_EQ(v[0], QStringLiteral("ROSSI"));
    EXPECT_EQ(v[1], QStringLiteral("MARIO"));
    EXPECT_EQ(v[2], QStringLiteral(" JR"));
    EXPECT_EQ(v[3], QStringLiteral("  spazi  ")); // untrimmed: the row check trims
    EXPECT_EQ(v[4], QString());

    const auto multiplo = leggi(linea(22, "||") + "\n", 1, QStringLiteral("||"));
    ASSERT_EQ(multiplo.righe.size(), 1u);
    EXPECT_EQ(multiplo.righe[0].valori[21], QStringLiteral("c22"));
}

TEST_F(LettoreCsvTest, ARowReadAgainHoldsOnlyTheNewLineAndRowsKeptEarlierStayAsRead)
{
    // The writer reads every line into the same row: a long value must leave
    // nothing behind in a shorter one, and a row kept aside must not change.
    const QList<QStringList> righe = {
        {QString(300, QLatin1Char('L')), QStringLiteral("\"VIRGOLETTE\""),
         QStringLiteral("a\"b\"c")},
        {QStringLiteral("X"), QString(), QStringLiteral("\"")},
        {QStringLiteral("CITTÀ"), QStringLiteral("€ 5"), QStringLiteral("  ")},
        {QStringLiteral("Y"), QStringLiteral("Z"), QStringLiteral("W")},
    };
    struct Caso
    {
        QString separatore;
        bool utf8;
    };
    const Caso casi[] = {{QStringLiteral(";"), false},  {QStringLiteral(";"), true},
                         {QStringLiteral("||"), false}, {QStringLiteral("\t"), true},
                         {QStringLiteral("§"), true},   {QStringLiteral("§"), false}};
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.separatore.toStdString() + (caso.utf8 ? " UTF-8" : " Windows-1252"));
        QByteArray contenuto;
        std::vector<std::array<QString, kColonneProva>> attesi;
        for (const QStringList& valori : righe) {
            QStringList campi = valori;
            std::array<QString, kColonneProva> atteso;
            for (int c = 0; c < kColonneProva; ++c) {
                if (c >= campi.size())
                    campi.append(QStringLiteral("c%1").arg(c + 1));
                atteso[static_cast<std::size_t>(c)] = QString(campi[c]).remove(QLatin1Char('"'));
            }
            const QString linea = campi.join(caso.separatore);
            contenuto += (caso.utf8 ? linea.toUtf8() : Cp1252::codifica(linea)) + "\r\n";
            attesi.push_back(atteso);
        }
        auto lettore = apriFoglioCsv(scrivi(contenuto), csvProva(caso.separatore, 1));
        ASSERT_TRUE(lettore.ok());
        RigaFoglio riga;
        std::vector<RigaFoglio> tenute;
        for (;;) {
            auto esito = lettore.valore()->leggi(riga);
            ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
            if (!*esito)
                break;
            tenute.push_back(riga);
        }
        ASSERT_EQ(tenute.size(), attesi.size());
        for (std::size_t i = 0; i < attesi.size(); ++i) {
            EXPECT_EQ(tenute[i].numero, static_cast<int>(i + 1));
            for (std::size_t c = 0; c < attesi[i].size(); ++c)
                EXPECT_EQ(tenute[i].valori[c], attesi[i][c])
                    << "riga " << i + 1 << ", campo " << c + 1;
        }
    }
}

TEST_F(LettoreCsvTest, FieldsOfEveryLengthAreCutAtTheirSeparators)
{
    // ASCII lines are cut a machine word at a time: fields of every length
    // from empty up, so separators fall at every place within a word, in
    // lines of fewer, as many and more fields than a row has. Each is
    // compared with the plain split of the same line.
    for (const int campi : {22, 23, 30}) {
        for (int lunghezza = 0; lunghezza <= 17; ++lunghezza) {
            SCOPED_TRACE(std::to_string(campi) + " campi, " + std::to_string(lunghezza));
            QByteArrayList valori;
            for (int c = 0; c < campi; ++c)
                valori << QByteArray((lunghezza + c) % 18, static_cast<char>('a' + c % 26));
            const QByteArray riga = valori.join(';');
            const auto lettura = leggi(riga + "\r\n" + riga);
            ASSERT_EQ(lettura.errore, QString());
            ASSERT_EQ(lettura.righe.size(), 2u);
            for (const auto& letta : lettura.righe) {
                for (int c = 0; c < kColonneProva; ++c)
                    EXPECT_EQ(letta.valori[static_cast<std::size_t>(c)],
                              QString::fromLatin1(valori[c]))
                        << "campo " << c + 1;
            }
        }
    }
    // Too few fields, whatever their lengths, are still counted right.
    for (int lunghezza = 0; lunghezza <= 9; ++lunghezza) {
        const QByteArray corta = QByteArrayList(21, QByteArray(lunghezza, 'x')).join(';');
        EXPECT_EQ(leggi(corta + "\n").errore, QStringLiteral("Riga 1: 21 campi invece di 22."));
    }
}

TEST_F(LettoreCsvTest, ExtraFieldsAreDroppedAndMissingOnesStopTheRun)
{
    const auto ventitre = leggi(linea(23) + "\r\n");
    ASSERT_EQ(ventitre.righe.size(), 1u);
    EXPECT_EQ(ventitre.righe[0].valori[21], QStringLiteral("c22"));

    const auto corta = leggi("testata\r\ntestata\r\n" + linea(22) + "\r\n" + linea(22) + "\r\n" +
                                 linea(21) + "\r\n" + linea(22) + "\r\n",
                             3);
    EXPECT_EQ(numeri(corta), (std::vector<int>{3, 4}));
    EXPECT_EQ(corta.errore, QStringLiteral("Riga 5: 21 campi invece di 22."));

    const auto vuota = leggi(linea(22) + "\r\n\r\n" + linea(22) + "\r\n");
    EXPECT_EQ(numeri(vuota), std::vector<int>{1});
    EXPECT_EQ(vuota.errore, QStringLiteral("Riga 2: 1 campo invece di 22."));
}

TEST_F(LettoreCsvTest, TheFirstDataLineSkipsTheLinesBeforeIt)
{
    const QByteArray contenuto = linea(22, ";", "uno") + "\r\n" + linea(22, ";", "due") + "\r\n" +
                                 linea(22, ";", "tre") + "\r\n";
    EXPECT_EQ(numeri(leggi(contenuto, 1)), (std::vector<int>{1, 2, 3}));
    const auto daTre = leggi(contenuto, 3);
    ASSERT_EQ(daTre.righe.size(), 1u);
    EXPECT_EQ(daTre.righe[0].numero, 3);
    EXPECT_EQ(daTre.righe[0].valori[0], QStringLiteral("tre"));
    // Headings may be short or blank: they are never split.
    EXPECT_EQ(numeri(leggi("\r\nA;B\r\n" + contenuto, 3)), (std::vector<int>{3, 4, 5}));
    EXPECT_TRUE(leggi(QByteArray(), 1).righe.empty());
}

TEST_F(LettoreCsvTest, UnreadableInputIsAnError)
{
    EXPECT_FALSE(
        apriFoglioCsv(m_dir.filePath(QStringLiteral("manca.csv")), csvProva(QStringLiteral(";"), 3))
            .ok());
    EXPECT_FALSE(apriFoglioCsv(scrivi(linea(22)), csvProva(QString(), 3)).ok());

    const auto lunga = leggi(QByteArray(LettoreCsv::kLunghezzaMassimaRiga + 10, 'x'));
    EXPECT_TRUE(lunga.righe.empty());
    EXPECT_TRUE(lunga.errore.startsWith(QStringLiteral("Riga 1:"))) << lunga.errore.toStdString();
}
