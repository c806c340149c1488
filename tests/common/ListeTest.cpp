#include "storage/ContenutoLista.h"
#include "common/ui/StatoListe.h"
#include "common/ui/GestioneListView.h"
#include "storage/TipiCampo.h"
#include "support/CartellaProva.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct Operazione
{
    const char* ades;
    QVariant odata;
    QVariant oimporto;
    const char* onumero;
    const char* atipo;
};

class ListeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        const Operazione operazioni[] = {
            {"MARIO ROSSI SRL", QStringLiteral("2024-01-15"), 1234567.8, "3", "1"},
            {"BIANCHI ANNA", QStringLiteral("2023-12-20"), 9.0, "10", "2"},
            {"verdi luca", QStringLiteral("2023-06-03"), 10.0, "2", "1"},
            {"NERI PAOLO", QVariant(), QVariant(), "7", "3"},
        };
        for (const Operazione& o : operazioni)
            ASSERT_TRUE(db().inserisci(QStringLiteral("COPERA"),
                                       {{QStringLiteral("OCOD"), QStringLiteral("AG1")},
                                        {QStringLiteral("ADES"), QString::fromUtf8(o.ades)},
                                        {QStringLiteral("ODATA"), o.odata},
                                        {QStringLiteral("OIMPORTO"), o.oimporto},
                                        {QStringLiteral("ONUMERO"), QString::fromUtf8(o.onumero)},
                                        {QStringLiteral("ATIPO"), QString::fromUtf8(o.atipo)}})
                            .ok());
    }

    const Connessione& db() const { return m_ambiente->db(); }

    void riempi(QTreeWidget& lista, const QString& sql, const QString& filtro = QString())
    {
        m_stato.SqlLista = sql;
        m_stato.FiltroLista = filtro;
        const EsitoVuoto esito = RiempiLista(&lista, m_stato, db());
        ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    }

    static QStringList intestazioni(const QTreeWidget& lista)
    {
        QStringList testi;
        for (int c = 0; c < lista.columnCount(); ++c)
            testi << lista.headerItem()->text(c);
        return testi;
    }

    static QStringList colonna(const QTreeWidget& lista, int c)
    {
        QStringList testi;
        for (int r = 0; r < lista.topLevelItemCount(); ++r)
            testi << lista.topLevelItem(r)->text(c);
        return testi;
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    StatoListe m_stato;
};

const QString SqlOperazioni = QStringLiteral(
    "SELECT ADES AS Cliente, ODATA AS DataOperazione, OIMPORTO AS Importo, ONUMERO AS Prog "
    "FROM COPERA WHERE OCOD='AG1' ORDER BY ONUMERO");

} // namespace

TEST(ColonneRisultato, NamesAndDeclaredTypesFollowTheQuery)
{
    CartellaProva cartella;
    auto ambiente = cartella.avvia();
    ASSERT_TRUE(ambiente);
    auto colonne = colonneRisultato(
        ambiente->db(),
        QStringLiteral("SELECT c.ODATA AS [Data Op], c.OIMPORTO, c.ADES AS Nome, "
                       "COUNT(*) AS Quante FROM COPERA c "
                       "WHERE c.ODATA > #2024/01/01# GROUP BY c.ODATA, c.OIMPORTO, c.ADES"));
    ASSERT_TRUE(colonne.ok()) << colonne.errore().toStdString();
    ASSERT_EQ(colonne->size(), 4);
    const QList<std::pair<QString, TipoCampo>> attese = {
        {QStringLiteral("Data Op"), TipoCampo::Data},
        {QStringLiteral("OIMPORTO"), TipoCampo::Numero},
        {QStringLiteral("Nome"), TipoCampo::Testo},
        {QStringLiteral("Quante"), TipoCampo::Testo}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(colonne->at(i).nome, attese[i].first);
        EXPECT_EQ(colonne->at(i).tipo, attese[i].second) << i;
    }
    EXPECT_FALSE(colonneRisultato(ambiente->db(), QStringLiteral("SELECT X FROM NESSUNA")).ok());
}

TEST(FormattaValore, ShowsNumbersAndDatesTheItalianWay)
{
    struct Caso
    {
        QVariant valore;
        TipoCampo tipo;
        const char* atteso;
    };
    const Caso casi[] = {
        {1234567.8, TipoCampo::Numero, "1.234.568"},
        {-1234.4, TipoCampo::Numero, "-1.234"},
        {-0.4, TipoCampo::Numero, "0"},
        {QStringLiteral("12.6"), TipoCampo::Numero, "13"},
        {QStringLiteral("non numero"), TipoCampo::Numero, "non numero"},
        {QVariant(), TipoCampo::Numero, ""},
        {QStringLiteral("2024-03-05"), TipoCampo::Data, "05/03/2024"},
        {QStringLiteral("2024-03-05"), TipoCampo::DataOra, "05/03/2024"},
        {QStringLiteral("illeggibile"), TipoCampo::Data, ""},
        {QVariant(), TipoCampo::Data, ""},
        {QStringLiteral("2024-03-05"), TipoCampo::Testo, "2024-03-05"},
        {1234567.8, TipoCampo::Testo, "1234567.8"},
    };
    for (const Caso& caso : casi) {
        SCOPED_TRACE(caso.valore.toString().toStdString());
        EXPECT_EQ(FormattaValore(caso.valore, caso.tipo), QString::fromUtf8(caso.atteso));
    }
    EXPECT_EQ(DataOrdinabile(QStringLiteral("2023-12-20")), QStringLiteral("20231220"));
    EXPECT_EQ(DataOrdinabile(QVariant()), QString());
}

TEST(RigaAmmessa, AnyFieldContainingTheTextIgnoringCase)
{
    // As the database gives them: dates as stored text, numbers as doubles.
    const QList<CampoLista> campi = {DescriviCampo(QStringLiteral("Nome"), TipoCampo::Testo),
                                     DescriviCampo(QStringLiteral("Nota"), TipoCampo::Testo),
                                     DescriviCampo(QStringLiteral("Importo"), TipoCampo::Numero),
                                     DescriviCampo(QStringLiteral("DataOp"), TipoCampo::Data)};
    const QList<QVariant> riga = {QStringLiteral("MARIO ROSSI SRL"), QVariant(), 1234.5,
                                  QStringLiteral("2024-01-15")};
    EXPECT_TRUE(RigaAmmessa(riga, campi, QString()));
    EXPECT_TRUE(RigaAmmessa(riga, campi, QStringLiteral("rossi")));
    EXPECT_TRUE(
        RigaAmmessa(riga, campi, QStringLiteral("1234,5"))); // numbers as the clerk writes them
    EXPECT_TRUE(RigaAmmessa(riga, campi, QStringLiteral("15/01/2024"))); // dates as shown
    EXPECT_FALSE(RigaAmmessa(riga, campi, QStringLiteral("2024-01")));
    EXPECT_FALSE(RigaAmmessa(riga, campi, QStringLiteral("bianchi")));
    EXPECT_FALSE(RigaAmmessa({QVariant(), QVariant()}, campi, QStringLiteral(" ")));
}

TEST_F(ListeTest, QueryWithoutRecordsShowsCaptionsOnlyAndKeepsTheSearch)
{
    QTreeWidget lista;
    m_stato.ValoriSelezionati = {QStringLiteral("vecchio"), QStringLiteral("valore")};
    riempi(
        lista,
        QStringLiteral("SELECT ADES AS Cliente, ODATA AS DataOp FROM COPERA WHERE OCOD='NESSUNO'"),
        QStringLiteral("rossi"));
    EXPECT_EQ(intestazioni(lista),
              (QStringList{QStringLiteral(" "), QStringLiteral("Cliente"), QStringLiteral("DataOp"),
                           QStringLiteral("XXDataOp")}));
    EXPECT_EQ(lista.topLevelItemCount(), 0);
    EXPECT_FALSE(lista.isColumnHidden(0));
    EXPECT_EQ(lista.columnWidth(0), PixelDaTwip(&lista, 300));
    EXPECT_EQ(lista.columnWidth(1), PixelDaTwip(&lista, 1000));
    EXPECT_EQ(lista.columnWidth(2), PixelDaTwip(&lista, 1000));
    EXPECT_TRUE(lista.isColumnHidden(3));
    EXPECT_EQ(m_stato.FiltroLista, QStringLiteral("rossi"));
    EXPECT_EQ(m_stato.ValoriSelezionati, QStringList{QString()});
}

TEST_F(ListeTest, FieldsAreFormattedAlignedAndHiddenByNameAndType)
{
    QTreeWidget lista;
    riempi(lista, SqlOperazioni);
    EXPECT_EQ(intestazioni(lista),
              (QStringList{QStringLiteral(" "), QStringLiteral("Cliente"),
                           QStringLiteral("DataOperazione"), QStringLiteral("Importo"),
                           QStringLiteral("Prog"), QStringLiteral("XXDataOperazione")}));
    // ONUMERO is text, so "10" comes before "2" in the query's order.
    EXPECT_EQ(colonna(lista, 1),
              (QStringList{QStringLiteral("BIANCHI ANNA"), QStringLiteral("verdi luca"),
                           QStringLiteral("MARIO ROSSI SRL"), QStringLiteral("NERI PAOLO")}));
    EXPECT_EQ(colonna(lista, 2),
              (QStringList{QStringLiteral("20/12/2023"), QStringLiteral("03/06/2023"),
                           QStringLiteral("15/01/2024"), QString()}));
    EXPECT_EQ(colonna(lista, 3), (QStringList{QStringLiteral("9"), QStringLiteral("10"),
                                              QStringLiteral("1.234.568"), QString()}));
    EXPECT_EQ(colonna(lista, 4), (QStringList{QStringLiteral("10"), QStringLiteral("2"),
                                              QStringLiteral("3"), QStringLiteral("7")}));
    EXPECT_EQ(colonna(lista, 5),
              (QStringList{QStringLiteral("20231220"), QStringLiteral("20230603"),
                           QStringLiteral("20240115"), QString()}));

    const QTreeWidgetItem* riga = lista.topLevelItem(0);
    EXPECT_EQ(riga->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(riga->textAlignment(2) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(riga->textAlignment(3) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(lista.headerItem()->textAlignment(3) & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    // No icons: the icon column, "Prog" and the sort column are not shown.
    EXPECT_TRUE(lista.isColumnHidden(0));
    EXPECT_TRUE(lista.isColumnHidden(4));
    EXPECT_TRUE(lista.isColumnHidden(5));
    // The others are as wide as their widest text plus the margin.
    const QFontMetrics metrica(lista.font());
    EXPECT_EQ(lista.columnWidth(1), metrica.horizontalAdvance(QStringLiteral("MARIO ROSSI SRL")) +
                                        PixelDaTwip(&lista, 500));
    EXPECT_EQ(lista.columnWidth(2), metrica.horizontalAdvance(QStringLiteral("DataOperazione")) +
                                        PixelDaTwip(&lista, 500));
    EXPECT_EQ(lista.currentItem(), lista.topLevelItem(0));
}

TEST_F(ListeTest, OnlyTheFirstTenRowsSizeAColumn)
{
    for (int i = 0; i < 12; ++i)
        ASSERT_TRUE(
            db().inserisci(QStringLiteral("COPERA"),
                           {{QStringLiteral("OCOD"), QStringLiteral("AG2")},
                            {QStringLiteral("ONUMERO"),
                             QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'))},
                            {QStringLiteral("ADES"),
                             i == 11 ? QStringLiteral("UN NOME MOLTO MOLTO PIÙ LUNGO DEGLI ALTRI")
                                     : QStringLiteral("BREVE")}})
                .ok());
    QTreeWidget lista;
    riempi(lista, QStringLiteral("SELECT ADES AS N FROM COPERA WHERE OCOD='AG2' ORDER BY ONUMERO"));
    ASSERT_EQ(lista.topLevelItemCount(), 12);
    EXPECT_EQ(lista.columnWidth(1),
              QFontMetrics(lista.font()).horizontalAdvance(QStringLiteral("BREVE")) +
                  PixelDaTwip(&lista, 500));
}

TEST_F(ListeTest, SearchKeepsMatchingRecordsAndAppliesOnce)
{
    QTreeWidget lista;
    riempi(lista, SqlOperazioni, QStringLiteral("rossi"));
    EXPECT_EQ(colonna(lista, 1), QStringList{QStringLiteral("MARIO ROSSI SRL")});
    EXPECT_EQ(m_stato.FiltroLista, QString());

    // Dates match as shown, and upper case finds lower-case text.
    riempi(lista, SqlOperazioni, QStringLiteral("/2023"));
    EXPECT_EQ(colonna(lista, 1),
              (QStringList{QStringLiteral("BIANCHI ANNA"), QStringLiteral("verdi luca")}));
    riempi(lista, SqlOperazioni, QStringLiteral("VERDI"));
    EXPECT_EQ(colonna(lista, 1), QStringList{QStringLiteral("verdi luca")});

    // Nothing matches: no rows, the search is spent, captions size the columns.
    riempi(lista, SqlOperazioni, QStringLiteral("nessuno"));
    EXPECT_EQ(lista.topLevelItemCount(), 0);
    EXPECT_EQ(m_stato.FiltroLista, QString());
    EXPECT_EQ(lista.columnWidth(1),
              QFontMetrics(lista.font()).horizontalAdvance(QStringLiteral("Cliente")) +
                  PixelDaTwip(&lista, 500));
}

TEST_F(ListeTest, HeaderClicksSortDescendingThenAscendingWithOneIcon)
{
    QTreeWidget lista;
    CollegaOrdinamento(&lista);
    riempi(lista, SqlOperazioni);

    OrdinaColonna(1, &lista);
    EXPECT_EQ(IconaIntestazione(&lista, 1), QStringLiteral("ZA"));
    EXPECT_EQ(colonna(lista, 1),
              (QStringList{QStringLiteral("verdi luca"), QStringLiteral("NERI PAOLO"),
                           QStringLiteral("MARIO ROSSI SRL"), QStringLiteral("BIANCHI ANNA")}));
    OrdinaColonna(1, &lista);
    EXPECT_EQ(IconaIntestazione(&lista, 1), QStringLiteral("AZ"));
    EXPECT_EQ(colonna(lista, 1),
              (QStringList{QStringLiteral("BIANCHI ANNA"), QStringLiteral("MARIO ROSSI SRL"),
                           QStringLiteral("NERI PAOLO"), QStringLiteral("verdi luca")}));

    // Another header: the first loses its icon, the new one starts descending.
    // Numbers sort by value, empty first.
    OrdinaColonna(3, &lista);
    EXPECT_EQ(IconaIntestazione(&lista, 1), QString());
    EXPECT_EQ(IconaIntestazione(&lista, 3), QStringLiteral("ZA"));
    EXPECT_EQ(colonna(lista, 3), (QStringList{QStringLiteral("1.234.568"), QStringLiteral("10"),
                                              QStringLiteral("9"), QString()}));
    OrdinaColonna(1, &lista);
    EXPECT_EQ(IconaIntestazione(&lista, 1), QStringLiteral("ZA"));
    EXPECT_EQ(IconaIntestazione(&lista, 3), QString());
}

TEST_F(ListeTest, DateColumnsSortChronologicallyAcrossYears)
{
    QTreeWidget lista;
    CollegaOrdinamento(&lista);
    riempi(lista, SqlOperazioni);
    // The header's click reaches OrdinaColonna.
    emit lista.header()->sectionClicked(2);
    EXPECT_EQ(colonna(lista, 2),
              (QStringList{QStringLiteral("15/01/2024"), QStringLiteral("20/12/2023"),
                           QStringLiteral("03/06/2023"), QString()}));
    OrdinaColonna(2, &lista);
    EXPECT_EQ(colonna(lista, 2),
              (QStringList{QString(), QStringLiteral("03/06/2023"), QStringLiteral("20/12/2023"),
                           QStringLiteral("15/01/2024")}));

    // Filling another list in between does not confuse this one's date column.
    QTreeWidget altra;
    StatoListe altroStato;
    altroStato.SqlLista = QStringLiteral("SELECT COD AS Codice, DES AS Descrizione FROM CTAB");
    ASSERT_TRUE(RiempiLista(&altra, altroStato, db()).ok());
    OrdinaColonna(2, &lista);
    EXPECT_EQ(colonna(lista, 2).first(), QStringLiteral("15/01/2024"));

    // A refill keeps the order in force but shows no icon.
    riempi(lista, SqlOperazioni);
    EXPECT_EQ(colonna(lista, 2).first(), QStringLiteral("15/01/2024"));
    EXPECT_EQ(IconaIntestazione(&lista, 2), QString());
    EXPECT_EQ(lista.currentItem(), lista.topLevelItem(0));
}

TEST_F(ListeTest, SelectedRowIsReadAndSetByCaption)
{
    QTreeWidget lista;
    riempi(lista, SqlOperazioni);
    m_stato.ColonneRichieste = {QStringLiteral("Cliente"), QStringLiteral("Inesistente"),
                                QStringLiteral("Importo"), QStringLiteral("XXDataOperazione")};

    // After a fill the first row is the selected one.
    CopiaSelezione(&lista, m_stato);
    EXPECT_EQ(m_stato.ValoriSelezionati,
              (QStringList{QStringLiteral("BIANCHI ANNA"), QString(), QStringLiteral("9"),
                           QStringLiteral("20231220")}));

    SelezionaRiga(&lista, QStringLiteral("1.234.568"), QStringLiteral("Importo"));
    CopiaSelezione(&lista, m_stato);
    EXPECT_EQ(m_stato.ValoriSelezionati.first(), QStringLiteral("MARIO ROSSI SRL"));
    EXPECT_EQ(lista.selectedItems().size(), 1);

    // No such value, or no such caption: the selection stays.
    SelezionaRiga(&lista, QStringLiteral("MARIO"), QStringLiteral("Cliente"));
    SelezionaRiga(&lista, QStringLiteral("verdi luca"), QStringLiteral("Nessuna"));
    CopiaSelezione(&lista, m_stato);
    EXPECT_EQ(m_stato.ValoriSelezionati.first(), QStringLiteral("MARIO ROSSI SRL"));

    // Nothing selected: every value is empty.
    lista.clearSelection();
    CopiaSelezione(&lista, m_stato);
    EXPECT_EQ(m_stato.ValoriSelezionati, QStringList(4));
}

TEST_F(ListeTest, SeveralMatchesSelectAllInAMultipleSelectionList)
{
    QTreeWidget lista;
    lista.setSelectionMode(QAbstractItemView::MultiSelection);
    riempi(lista,
           QStringLiteral("SELECT ADES AS Cliente, ATIPO AS Tipo FROM COPERA ORDER BY ADES"));
    lista.clearSelection();
    SelezionaRiga(&lista, QStringLiteral("1"), QStringLiteral("Tipo"));
    QStringList scelti;
    for (const QTreeWidgetItem* riga : lista.selectedItems())
        scelti << riga->text(1);
    scelti.sort();
    EXPECT_EQ(scelti,
              (QStringList{QStringLiteral("MARIO ROSSI SRL"), QStringLiteral("verdi luca")}));
}

TEST_F(ListeTest, FlagFieldsGiveRowIconsAndStayHidden)
{
    QTreeWidget lista;
    riempi(lista, QStringLiteral(
                      "SELECT ADES AS Cliente, ATIPO AS DACOTIPO, "
                      "CASE WHEN ONUMERO='7' THEN 1 ELSE 0 END AS ERR FROM COPERA ORDER BY ADES"));
    QStringList icone;
    for (int r = 0; r < lista.topLevelItemCount(); ++r)
        icone << IconaRiga(lista.topLevelItem(r));
    // BIANCHI (tipo 2), MARIO ROSSI (tipo 1), NERI (ERR), verdi (tipo 1)
    EXPECT_EQ(icone, (QStringList{QString(), QStringLiteral("OK"), QStringLiteral("ER"),
                                  QStringLiteral("OK")}));
    EXPECT_FALSE(lista.isColumnHidden(0));
    EXPECT_EQ(lista.columnWidth(0), PixelDaTwip(&lista, 300));
    EXPECT_FALSE(lista.isColumnHidden(2)); // "DACOTIPO" is not exactly "DACO"
    EXPECT_TRUE(lista.isColumnHidden(3));
}

TEST_F(ListeTest, FailingQueryLeavesTheListAsItWas)
{
    QTreeWidget lista;
    riempi(lista, SqlOperazioni);
    m_stato.SqlLista = QStringLiteral("SELECT NIENTE FROM TABELLA_INESISTENTE");
    m_stato.FiltroLista = QStringLiteral("x");
    const EsitoVuoto esito = RiempiLista(&lista, m_stato, db());
    EXPECT_FALSE(esito.ok());
    EXPECT_TRUE(esito.errore().contains(QStringLiteral("TABELLA_INESISTENTE")))
        << esito.errore().toStdString();
    EXPECT_EQ(lista.topLevelItemCount(), 4);
    EXPECT_TRUE(lista.updatesEnabled());
    EXPECT_EQ(m_stato.FiltroLista, QStringLiteral("x"));
}
