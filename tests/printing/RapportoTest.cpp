#include "printing/Rapporto.h"

#include "TestoPdf.h"
#include "printing/ElenchiAnnuali.h"
#include "shell/Ambiente.h"
#include "storage/Transazione.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"

#include <QFile>
#include <QPdfWriter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using ElenchiAnnuali::Elenco;

namespace {

const QString agenzia = QStringLiteral("RSSMRA80A01H501U");

class RapportoTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
        m_ambiente->agenziaCorrente.codice = agenzia;
        m_ambiente->agenziaCorrente.nome = QStringLiteral("CAMBI ROSSI SRL");
    }

    void operazione(const QString& ocod, const char* data, const char* cliente, double controvalore,
                    double commissione = 0)
    {
        const auto fatto = m_ambiente->db().inserisci(
            QStringLiteral("COPERA"), {{QStringLiteral("OCOD"), ocod},
                                       {QStringLiteral("ODATA"), QString::fromLatin1(data)},
                                       {QStringLiteral("ONUMERO"), QStringLiteral("1")},
                                       {QStringLiteral("ADES"), QString::fromLatin1(cliente)},
                                       {QStringLiteral("ODIV"), QStringLiteral("USD")},
                                       {QStringLiteral("OIMPORTO"), controvalore * 1.1},
                                       {QStringLiteral("OCAMBIO"), 1.1},
                                       {QStringLiteral("OCONTROVALORE"), controvalore},
                                       {QStringLiteral("OCOMMISSIONE"), commissione}});
        ASSERT_TRUE(fatto.ok()) << fatto.errore().toStdString();
    }

    Esito<int> pdf(Elenco elenco, const QString& anno, const QString& percorso)
    {
        (void)ElenchiAnnuali::PreparaStampa(m_rapporto, elenco, anno, contestoStampa(*m_ambiente));
        return m_rapporto.salvaPdf(percorso);
    }

    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
    Rapporto m_rapporto;
    OrologioFisso m_oggi{QDate(2017, 3, 15)};
};

// The body lines of a page: those that start with a date of the list.
QStringList righeCorpo(const QString& pagina)
{
    static const QRegularExpression data(QStringLiteral("^\\s*\\d\\d/\\d\\d/\\d{4}\\s"));
    QStringList righe;
    for (const QString& riga : pagina.split(QLatin1Char('\n'))) {
        if (data.match(riga).hasMatch())
            righe << riga.simplified();
    }
    return righe;
}

} // namespace

TEST_F(RapportoTest, OperationsPdfHoldsExactlyTheYearsRowsInDateThenCustomerOrder)
{
    RICHIEDE_LETTORE_PDF();
    operazione(agenzia, "2015-12-31", "PRIMA DEL PERIODO", 99);
    operazione(agenzia, "2016-07-14", "ZETA SNC", 2500);
    operazione(agenzia, "2016-01-01", "BIANCHI LUCA", 1000, 5);
    operazione(agenzia, "2016-07-14", "ALFA SPA", 250.5, 2.5);
    operazione(agenzia, "2016-12-31", "ULTIMO GIORNO", 10.25);
    operazione(agenzia, "2017-01-01", "DOPO IL PERIODO", 77);
    operazione(QStringLiteral("01234567890"), "2016-05-05", "ALTRA AGENZIA", 55);

    const QString file = m_cartella.file(QStringLiteral("operazioni.pdf"));
    const auto pagine = pdf(Elenco::Operazioni, QStringLiteral("2016"), file);
    ASSERT_TRUE(pagine.ok()) << pagine.errore().toStdString();
    EXPECT_EQ(pagine.valore(), 1);
    EXPECT_EQ(pagineDichiarate(file), 1);

    const QStringList testo = paginePdf(file);
    ASSERT_EQ(testo.size(), 1);
    const QString& pagina = testo.first();
    EXPECT_TRUE(pagina.contains(QStringLiteral("ZEFIRANTE - Elenco OPERAZIONI ANNO 2016")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("RSSMRA80A01H501U CAMBI ROSSI SRL")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("Stampato il 15/03/2017")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("Pagina 1 di 1")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("Codice fiscale")));

    const QStringList righe = righeCorpo(pagina);
    ASSERT_EQ(righe.size(), 4) << pagina.toStdString();
    const char* attese[] = {"01/01/2016 1 BIANCHI LUCA", "14/07/2016 1 ALFA SPA",
                            "14/07/2016 1 ZETA SNC", "31/12/2016 1 ULTIMO GIORNO"};
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(righe[i].startsWith(QString::fromLatin1(attese[i]))) << righe[i].toStdString();
    // Amounts in the Italian form, the countervalue summed over the year's rows only.
    EXPECT_TRUE(righe[0].contains(QStringLiteral("1.100,00 1,1 1.000,00 5,00")))
        << righe[0].toStdString();
    const auto totali =
        QRegularExpression(QStringLiteral("Totali\\s+3\\.760,75\\s+7,50")).match(pagina);
    EXPECT_TRUE(totali.hasMatch()) << pagina.toStdString();
    EXPECT_TRUE(pagina.contains(QStringLiteral("Operazioni nell'elenco: 4")));
}

TEST_F(RapportoTest, LongListPaginatesWithEveryRowOnceAndTheHeadingOnEveryPage)
{
    RICHIEDE_LETTORE_PDF();
    constexpr int quante = 1200;
    {
        Transazione transazione(m_ambiente->db());
        for (int i = 0; i < quante; ++i) {
            const QDate giorno = QDate(2016, 1, 1).addDays(i * 366 / quante);
            operazione(
                agenzia, giorno.toString(Qt::ISODate).toLatin1().constData(),
                QStringLiteral("CLIENTE %1").arg(i, 4, 10, QLatin1Char('0')).toLatin1().constData(),
                1);
        }
        ASSERT_TRUE(transazione.conferma().ok());
    }
    const QString file = m_cartella.file(QStringLiteral("lungo.pdf"));
    const auto pagine = pdf(Elenco::Operazioni, QStringLiteral("2016"), file);
    ASSERT_TRUE(pagine.ok()) << pagine.errore().toStdString();

    const QStringList testo = paginePdf(file);
    const int n = static_cast<int>(testo.size());
    EXPECT_EQ(n, pagine.valore());
    EXPECT_EQ(pagineDichiarate(file), n);
    ASSERT_GT(n, 10);

    QStringList clienti;
    std::vector<int> perPagina;
    for (int p = 0; p < n; ++p) {
        const QString& pagina = testo[p];
        EXPECT_TRUE(pagina.contains(QStringLiteral("ZEFIRANTE - Elenco OPERAZIONI ANNO 2016")))
            << "pagina " << p + 1;
        EXPECT_TRUE(pagina.contains(QStringLiteral("Cliente"))) << "pagina " << p + 1;
        EXPECT_TRUE(pagina.contains(QStringLiteral("Pagina %1 di %2").arg(p + 1).arg(n)))
            << "pagina " << p + 1;
        const QStringList righe = righeCorpo(pagina);
        perPagina.push_back(static_cast<int>(righe.size()));
        for (const QString& riga : righe)
            clienti << QRegularExpression(QStringLiteral("CLIENTE \\d{4}")).match(riga).captured();
    }
    // Every row once, in order: nothing lost at a page break, nothing drawn twice.
    ASSERT_EQ(clienti.size(), quante);
    for (int i = 0; i < quante; ++i)
        ASSERT_EQ(clienti[i], QStringLiteral("CLIENTE %1").arg(i, 4, 10, QLatin1Char('0')));
    // Full pages hold the same number of rows; the totals and count lines
    // close the list after the last row.
    for (int p = 1; p + 1 < n; ++p)
        EXPECT_EQ(perPagina[static_cast<size_t>(p)], perPagina[0]) << "pagina " << p + 1;
    const int perPaginaPiena = perPagina[0];
    EXPECT_EQ(n, (quante + 2 + perPaginaPiena - 1) / perPaginaPiena);
    EXPECT_TRUE(testo.last().contains(QStringLiteral("Operazioni nell'elenco: 1.200")));
}

TEST_F(RapportoTest, NotesOfAnEmptyYearSayThereAreNone)
{
    RICHIEDE_LETTORE_PDF();
    const QString file = m_cartella.file(QStringLiteral("note.pdf"));
    const auto pagine = pdf(Elenco::NoteVariazione, QStringLiteral("2016"), file);
    ASSERT_TRUE(pagine.ok()) << pagine.errore().toStdString();
    const QStringList testo = paginePdf(file);
    ASSERT_EQ(testo.size(), 1);
    EXPECT_TRUE(
        testo[0].contains(QStringLiteral("ZEFIRANTE - Elenco NOTE DI VARIAZIONE ANNO 2016")));
    EXPECT_TRUE(testo[0].contains(QStringLiteral("Nessuna nota di variazione nell'anno.")));
    EXPECT_TRUE(testo[0].contains(QStringLiteral("Note nell'elenco: 0")));
    EXPECT_FALSE(testo[0].contains(QStringLiteral("Totali")));
}

TEST_F(RapportoTest, FailuresCarryTheirNumberAndLeaveNoFileBehind)
{
    const QString file = m_cartella.file(QStringLiteral("esito.pdf"));
    (void)ElenchiAnnuali::PreparaStampa(m_rapporto, Elenco::Operazioni, QStringLiteral("2016"),
                                        contestoStampa(*m_ambiente));

    QFile::remove(m_cartella.file(QStringLiteral("stampe/SPM_LOP.rep")));
    auto esito = m_rapporto.salvaPdf(file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::ModelloMancante);

    m_cartella.scrivi(QStringLiteral("stampe/SPM_LOP.rep"), "[colonna]\ncampo = NESSUNO\n");
    esito = m_rapporto.salvaPdf(file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::ModelloNonValido);
    EXPECT_TRUE(esito.errore().contains(QStringLiteral("NESSUNO")));

    m_cartella.scrivi(QStringLiteral("stampe/SPM_LOP.rep"), "[colonna]\ncampo = ADES\n");
    m_rapporto.impostaSqlDataset(QStringLiteral("DS"),
                                 QStringLiteral("SELECT * FROM TABELLA_CHE_NON_CE"));
    esito = m_rapporto.salvaPdf(file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::Dati);

    m_rapporto.impostaSqlDataset(QStringLiteral("DS"), QStringLiteral("SELECT * FROM COPERA"));
    m_rapporto.impostaConnessione(QStringLiteral("CONNESSIONE"),
                                  QStringLiteral("Driver=QSQLITE;Data Source=") +
                                      m_cartella.file(QStringLiteral("manca.db")));
    esito = m_rapporto.salvaPdf(file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::Connessione);
    EXPECT_FALSE(
        QFile::exists(m_cartella.file(QStringLiteral("manca.db")))); // never created by a print

    m_rapporto.impostaConnessione(QStringLiteral("CONNESSIONE"), m_ambiente->stringaConnessione);
    m_rapporto.impostaSqlDataset(QStringLiteral("ALTRO"), QStringLiteral("SELECT 1"));
    esito = m_rapporto.salvaPdf(file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::NomeSconosciuto);
    EXPECT_FALSE(QFile::exists(file));

    Rapporto senzaModello;
    esito = senzaModello.salvaPdf(file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::ModelloMancante);
}

TEST_F(RapportoTest, UnwritablePlaceKeepsThePreviousPdf)
{
    operazione(agenzia, "2016-02-02", "BIANCHI LUCA", 10);
    const QString file = m_cartella.file(QStringLiteral("tenuto.pdf"));
    m_cartella.scrivi(QStringLiteral("tenuto.pdf"), "PDF PRECEDENTE");

    // A page that cannot hold one line fails after the data is read, at drawing.
    m_cartella.scrivi(QStringLiteral("stampe/SPM_LOP.rep"),
                      "[pagina]\nformato = A5\norientamento = orizzontale\nmargine = "
                      "50\ndimensione = 24\n[colonna]\ncampo = ADES\n");
    auto esito = pdf(Elenco::Operazioni, QStringLiteral("2016"), file);
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::Pagina);
    EXPECT_EQ(m_cartella.leggi(QStringLiteral("tenuto.pdf")), QByteArray("PDF PRECEDENTE"));

    esito = m_rapporto.salvaPdf(m_cartella.file(QStringLiteral("cartella-che-non-c-e/elenco.pdf")));
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::Scrittura);
}

TEST_F(RapportoTest, StoppedRunKeepsThePreviousPdfAndProgressEndsOnTheLastPage)
{
    operazione(agenzia, "2016-02-02", "BIANCHI LUCA", 10);
    const QString file = m_cartella.file(QStringLiteral("tenuto.pdf"));
    m_cartella.scrivi(QStringLiteral("tenuto.pdf"), "PDF PRECEDENTE");
    (void)ElenchiAnnuali::PreparaStampa(m_rapporto, Elenco::Operazioni, QStringLiteral("2016"),
                                        contestoStampa(*m_ambiente));
    std::vector<std::pair<int, int>> avanzamenti;
    Interruzione fermo = true;
    SeguitoStampa seguito;
    seguito.interruzione = &fermo;
    seguito.avanzamento = [&](int fatte, int totale) { avanzamenti.emplace_back(fatte, totale); };

    auto esito = m_rapporto.salvaPdf(file, seguito); // stopped among the rows
    ASSERT_FALSE(esito.ok());
    EXPECT_EQ(esito.dettaglio().numero, CodiceStampa::Interrotta);
    EXPECT_EQ(esito.errore(), kMessaggioInterrotta);
    EXPECT_EQ(m_rapporto.documento(), nullptr);
    EXPECT_TRUE(avanzamenti.empty());
    EXPECT_EQ(m_cartella.leggi(QStringLiteral("tenuto.pdf")), QByteArray("PDF PRECEDENTE"));

    fermo = false;
    esito = m_rapporto.salvaPdf(file, seguito);
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    const std::vector<std::pair<int, int>> attesi{{0, 1}, {1, 1}};
    EXPECT_EQ(avanzamenti, attesi);
}

TEST_F(RapportoTest, EditedTemplateChangesTheColumnsWithoutRebuilding)
{
    RICHIEDE_LETTORE_PDF();
    operazione(agenzia, "2016-02-02", "BIANCHI LUCA", 1234.5);
    m_cartella.scrivi(
        QStringLiteral("stampe/SPM_LOP.rep"),
        "[pagina]\norientamento = verticale\n[testata]\ntitolo = Mio elenco: {TESTAREP}\n"
        "sottotitolo = {NON_IMPOSTATO}fine\n"
        "[colonna]\ncampo = ADES\ntitolo = Nominativo\n"
        "[colonna]\ncampo = OCONTROVALORE\ntitolo = Euro\nformato = numero\nallineamento = "
        "destra\n");
    const QString file = m_cartella.file(QStringLiteral("modificato.pdf"));
    ASSERT_TRUE(pdf(Elenco::Operazioni, QStringLiteral("2016"), file).ok());
    const QString pagina = paginePdf(file).value(0);
    EXPECT_TRUE(
        pagina.contains(QStringLiteral("Mio elenco: ZEFIRANTE - Elenco OPERAZIONI ANNO 2016")));
    EXPECT_TRUE(pagina.contains(QStringLiteral("Nominativo")));
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("BIANCHI LUCA\\s+1234,5\\n")).match(pagina).hasMatch())
        << pagina.toStdString();
    EXPECT_FALSE(pagina.contains(QStringLiteral("NON_IMPOSTATO")));
    // "fi" must stay two letters (no ligature), or a search in the PDF misses it.
    EXPECT_TRUE(pagina.split(QLatin1Char('\n')).contains(QStringLiteral("fine")))
        << pagina.toStdString();
    EXPECT_FALSE(pagina.contains(QStringLiteral("01/02/2016"))); // no date column any more
}
