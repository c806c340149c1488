#include "printing/ModelloStampa.h"

#include "support/CartellaProva.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace {

Esito<ModelloStampa> leggi(const char* testo)
{
    return LetturaModello::daTesto(QString::fromUtf8(testo), QStringLiteral("PROVA.rep"));
}

} // namespace

TEST(ModelloStampa, ReadsPageTextsAndColumnsInOrder)
{
    const auto letto = leggi(R"(; a comment
# another
[Pagina]
formato = a3
orientamento = Orizzontale
margine = 7,5
dimensione = 9

[dati]
dataset = ELENCO
connessione = DB
sql = SELECT * FROM COPERA

[testata]
titolo = {TESTAREP} - prova
[fine]
conteggio = "  Righe: "

[colonna]
campo = ODATA
titolo = Data = giorno
formato = data
allineamento = centro

[colonna]
campo = OIMPORTO
larghezza = 12.5
formato = importo
decimali = 3
totale = sì
allineamento = destra
)");
    ASSERT_TRUE(letto.ok()) << letto.errore().toStdString();
    const ModelloStampa& m = letto.valore();
    EXPECT_EQ(m.formato, QPageSize::A3);
    EXPECT_EQ(m.orientamento, QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(m.margineMm, 7.5);
    EXPECT_DOUBLE_EQ(m.dimensione, 9);
    EXPECT_EQ(m.dataset, QStringLiteral("ELENCO"));
    EXPECT_EQ(m.connessione, QStringLiteral("DB"));
    EXPECT_EQ(m.sql, QStringLiteral("SELECT * FROM COPERA"));
    EXPECT_EQ(m.titolo, QStringLiteral("{TESTAREP} - prova"));
    EXPECT_EQ(m.conteggio, QStringLiteral("  Righe: "));
    ASSERT_EQ(m.colonne.size(), 2u);
    EXPECT_EQ(m.colonne[0].campo, QStringLiteral("ODATA"));
    EXPECT_EQ(m.colonne[0].titolo, QStringLiteral("Data = giorno")); // only the first "=" splits
    EXPECT_EQ(m.colonne[0].formato, ColonnaModello::Formato::Data);
    EXPECT_EQ(m.colonne[0].allineamento, Qt::AlignHCenter);
    EXPECT_FALSE(m.colonne[0].totale);
    EXPECT_DOUBLE_EQ(m.colonne[1].larghezza, 12.5);
    EXPECT_EQ(m.colonne[1].formato, ColonnaModello::Formato::Importo);
    EXPECT_EQ(m.colonne[1].decimali, 3);
    EXPECT_TRUE(m.colonne[1].totale);
    EXPECT_EQ(m.colonne[1].allineamento, Qt::AlignRight);

    const QPageLayout pagina = m.impaginazione();
    EXPECT_EQ(pagina.orientation(), QPageLayout::Landscape);
    EXPECT_DOUBLE_EQ(pagina.margins(QPageLayout::Millimeter).left(), 7.5);
}

// A clerk editing a template needs to be told which line is wrong.
TEST(ModelloStampa, MistakesNameTheirLine)
{
    const struct
    {
        const char* testo;
        const char* atteso;
    } casi[] = {
        {"[colonna]\ncampo = A\n[pagine]\n", "riga 3: sezione sconosciuta [pagine]"},
        {"[colonna]\ncampo = A\nlargezza = 3\n", "riga 3: chiave sconosciuta \"largezza\""},
        {"campo = A\n[colonna]\n", "riga 1: chiave fuori da ogni sezione"},
        {"[pagina]\nformato = B5\n[colonna]\ncampo = A\n", "riga 2: formato di pagina sconosciuto"},
        {"[colonna]\ncampo = A\nformato = valuta\n", "riga 3: formato \"valuta\""},
        {"[pagina]\n", "nessuna [colonna]"},
        {"[colonna]\ncampo = A\n[colonna]\ntitolo = B\n", "la colonna 2 non ha il campo"},
    };
    for (const auto& caso : casi) {
        const auto letto = leggi(caso.testo);
        ASSERT_FALSE(letto.ok()) << caso.testo;
        EXPECT_EQ(letto.dettaglio().numero, CodiceStampa::ModelloNonValido) << caso.testo;
        EXPECT_TRUE(letto.errore().contains(QString::fromUtf8(caso.atteso)))
            << caso.testo << " -> " << letto.errore().toStdString();
        EXPECT_TRUE(letto.errore().startsWith(QStringLiteral("Modello PROVA.rep")))
            << caso.testo;
    }
}

TEST(ModelloStampa, FilesInUtf8OrWindows1252)
{
    CartellaProva cartella;
    cartella.scrivi(QStringLiteral("utf8.rep"),
                    "\xEF\xBB\xBF[colonna]\r\ncampo = A\r\ntitolo = Controvalore \xE2\x82\xAC\r\n");
    cartella.scrivi(QStringLiteral("ansi.rep"),
                    "[colonna]\r\ncampo = A\r\ntitolo = Controvalore \x80\r\n");
    for (const char* nome : {"utf8.rep", "ansi.rep"}) {
        const auto letto = LetturaModello::daFile(cartella.file(QString::fromLatin1(nome)));
        ASSERT_TRUE(letto.ok()) << nome;
        EXPECT_EQ(letto.valore().colonne.at(0).titolo, QStringLiteral("Controvalore €")) << nome;
    }
    const auto mancante = LetturaModello::daFile(cartella.file(QStringLiteral("nessuno.rep")));
    ASSERT_FALSE(mancante.ok());
    EXPECT_EQ(mancante.dettaglio().numero, CodiceStampa::ModelloMancante);
}

// The shipped templates must name only columns that their table has, or the
// list would fail for every user.
TEST(ModelloStampa, ShippedTemplatesMatchTheirTables)
{
    CartellaProva cartella;
    auto ambiente = cartella.avvia();
    ASSERT_TRUE(ambiente);
    for (const auto& [file, tabella] :
         {std::pair{"stampe/SPM_LOP.rep", "COPERA"}, std::pair{"stampe/SPM_LNV.rep", "CNOTEV"}}) {
        const auto letto = LetturaModello::daFile(cartella.file(QString::fromLatin1(file)));
        ASSERT_TRUE(letto.ok()) << file << ": " << letto.errore().toStdString();
        EXPECT_EQ(letto.valore().dataset, QStringLiteral("DS"));
        EXPECT_EQ(letto.valore().connessione, QStringLiteral("CONNESSIONE"));
        EXPECT_EQ(letto.valore().titolo, QStringLiteral("{TESTAREP}"));
        EXPECT_EQ(letto.valore().sottotitolo, QStringLiteral("{PODES}"));
        auto query = ambiente->db().esegui(
            QStringLiteral("SELECT * FROM %1 WHERE 1=0").arg(QString::fromLatin1(tabella)));
        ASSERT_TRUE(query.ok());
        const QSqlRecord record = query.valore().record();
        for (const auto& colonna : letto.valore().colonne)
            EXPECT_GE(record.indexOf(colonna.campo), 0)
                << file << ": " << colonna.campo.toStdString();
    }
}
