#include "cli/Cli.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/ControllaAgenzia.h"
#include "support/CartellaProva.h"

#include <QSqlQuery>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

Agenzia societa()
{
    Agenzia a;
    a.ocod = a.ocf = QStringLiteral("01234567890");
    a.ostp = QStringLiteral("G");
    a.orag = QStringLiteral("ROSSI CAMBI SRL");
    a.oscom = QStringLiteral("ROMA");
    a.ospro = QStringLiteral("RM");
    return a;
}

Agenzia persona()
{
    Agenzia a;
    a.ocod = a.ocf = QStringLiteral("RSSMRA80A01H501U");
    a.ostp = QStringLiteral("F");
    a.ocog = QStringLiteral("ROSSI");
    a.onome = QStringLiteral("MARIO");
    a.osex = QStringLiteral("M");
    a.ondt = QStringLiteral("01/01/1980");
    a.oncom = QStringLiteral("ROMA");
    a.onpro = QStringLiteral("RM");
    a.odcom = QStringLiteral("MILANO");
    a.odpro = QStringLiteral("MI");
    a.ocittad = QStringLiteral("01=ITALIANA");
    return a;
}

} // namespace

TEST(Controlla, CompanyRulesInOrder)
{
    EXPECT_FALSE(Controlla(societa()).has_value());
    struct Caso
    {
        QString Agenzia::*campo;
        QString valore;
        const char* atteso;
        const char* messaggio;
    };
    const Caso casi[] = {
        {&Agenzia::ocod, QString(), "tOCOD", "Campo Obbligatorio"},
        {&Agenzia::ocf, QString(), "vOCF", "Codice Fiscale obbligatorio."},
        {&Agenzia::orag, QString(), "torag", "Ragione Sociale Soggetto - campo non valido."},
        {&Agenzia::oscom, QStringLiteral("   "), "vOSCOM", "Campo Obbligatorio"},
        {&Agenzia::ospro, QStringLiteral(" "), "vOSPRO", "Campo Obbligatorio"},
    };
    for (const Caso& caso : casi) {
        Agenzia a = societa();
        a.*caso.campo = caso.valore;
        const auto errore = Controlla(a);
        ASSERT_TRUE(errore.has_value()) << caso.atteso;
        EXPECT_EQ(errore->campo, QString::fromLatin1(caso.atteso));
        EXPECT_EQ(errore->messaggio, QString::fromUtf8(caso.messaggio));
    }
    // The first broken rule wins; the establishment is optional.
    Agenzia a = societa();
    a.orag.clear();
    a.ospro.clear();
    a.osocom.clear();
    EXPECT_EQ(Controlla(a)->campo, QStringLiteral("torag"));
}

TEST(Controlla, PersonRulesInOrder)
{
    EXPECT_FALSE(Controlla(persona()).has_value());
    const std::pair<QString Agenzia::*, const char*> ordine[] = {
        {&Agenzia::ocog, "vOCOG"},   {&Agenzia::onome, "vONOME"}, {&Agenzia::osex, "vOSEX"},
        {&Agenzia::ondt, "vONDT"},   {&Agenzia::oncom, "vONCOM"}, {&Agenzia::onpro, "vONPRO"},
        {&Agenzia::odcom, "vODCOM"}, {&Agenzia::odpro, "vODPRO"},
    };
    // Emptying every field from the last to the first, the message always points at the first still
    // empty.
    Agenzia a = persona();
    for (auto it = std::rbegin(ordine); it != std::rend(ordine); ++it) {
        a.*(it->first) = QStringLiteral("  ");
        const auto errore = Controlla(a);
        ASSERT_TRUE(errore.has_value());
        EXPECT_EQ(errore->campo, QString::fromLatin1(it->second));
        EXPECT_EQ(errore->messaggio, QStringLiteral("Campo Obbligatorio"));
    }
    // A person needs no company name and no registered office; citizenship is optional.
    Agenzia b = persona();
    b.ocittad.clear();
    EXPECT_FALSE(Controlla(b).has_value());
}

TEST(Normalizza, DropsLeadingBlanksAndUpperCasesKeepingTrailingBlanks)
{
    EXPECT_EQ(normalizzaCampo(QStringLiteral("   rossi cambi  ")), QStringLiteral("ROSSI CAMBI  "));
    EXPECT_EQ(normalizzaCampo(QStringLiteral("d'angelo")), QStringLiteral("D'ANGELO"));
    EXPECT_EQ(normalizzaCampo(QStringLiteral("   ")), QString());
    Agenzia a = societa();
    a.oscom = QStringLiteral("  forlì");
    normalizza(a);
    EXPECT_EQ(a.oscom, QStringLiteral("FORLÌ"));
}

TEST(Periodo, TheMonthBeforeTodayJanuaryGivingDecember)
{
    EXPECT_EQ(periodoPredefinito(QDate(2017, 9, 6)).anno, QStringLiteral("2017"));
    EXPECT_EQ(periodoPredefinito(QDate(2017, 9, 6)).mese, QStringLiteral("08"));
    EXPECT_EQ(periodoPredefinito(QDate(2018, 1, 31)).anno, QStringLiteral("2017"));
    EXPECT_EQ(periodoPredefinito(QDate(2018, 1, 31)).mese, QStringLiteral("12"));
    EXPECT_EQ(periodoPredefinito(QDate(2018, 3, 31)).mese, QStringLiteral("02"));
}

class ArchivioAgenzieTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
    }
    int conta(const QString& sql) const
    {
        auto q = m_ambiente->db().esegui(sql);
        EXPECT_TRUE(q.ok());
        return q.ok() && q.valore().next() ? q.valore().value(0).toInt() : -1;
    }
    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
};

TEST_F(ArchivioAgenzieTest, SavingAnExistingCodeOverwritesWithoutDuplicates)
{
    ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(), societa()).ok());
    Agenzia cambiata = societa();
    cambiata.orag = QStringLiteral("BIANCHI CAMBI");
    ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(), cambiata).ok());
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM COPE")), 1);
    const auto letta = ArchivioAgenzie::carica(m_ambiente->db(), societa().ocod);
    ASSERT_TRUE(letta.ok() && letta.valore().has_value());
    EXPECT_EQ(letta.valore()->orag, QStringLiteral("BIANCHI CAMBI"));
    EXPECT_EQ(letta.valore()->ostp, QStringLiteral("G"));
    EXPECT_FALSE(
        ArchivioAgenzie::carica(m_ambiente->db(), QStringLiteral("NESSUNO")).valore().has_value());
}

TEST_F(ArchivioAgenzieTest, APersonIsListedBySurnameAndNameWithoutCompanyOffices)
{
    // A company turned into a person: its offices must not stay on the person's record.
    ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(),
                                       [] {
                                           Agenzia a = societa();
                                           a.ocod = a.ocf = persona().ocod;
                                           return a;
                                       }())
                    .ok());
    Agenzia p = persona();
    p.ocog = QString(50, QLatin1Char('A'));
    p.onome = QString(30, QLatin1Char('B'));
    ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(), p).ok());
    const auto letta = ArchivioAgenzie::carica(m_ambiente->db(), p.ocod);
    ASSERT_TRUE(letta.ok() && letta.valore().has_value());
    EXPECT_EQ(letta.valore()->orag, (p.ocog + QLatin1Char(' ') + p.onome).left(70));
    EXPECT_EQ(letta.valore()->orag.size(), 70);
    EXPECT_EQ(letta.valore()->ostp, QStringLiteral("F"));
    EXPECT_TRUE(letta.valore()->oscom.isEmpty());
    EXPECT_TRUE(letta.valore()->osopro.isEmpty());
    EXPECT_EQ(letta.valore()->odcom, QStringLiteral("MILANO"));
}

TEST_F(ArchivioAgenzieTest, DeletingRemovesOnlyTheAgencyRowAndQuotesAreSafe)
{
    Agenzia a = societa();
    a.ocod = a.ocf = QStringLiteral("D'ANGELO");
    ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(), a).ok());
    ASSERT_TRUE(
        m_ambiente->db()
            .inserisci(QStringLiteral("CTAB"), {{QStringLiteral("TIPO"), QStringLiteral("X")},
                                                {QStringLiteral("COD"), a.ocod}})
            .ok());
    ASSERT_TRUE(ArchivioAgenzie::salva(m_ambiente->db(), societa()).ok());
    ASSERT_TRUE(ArchivioAgenzie::elimina(m_ambiente->db(), a.ocod).ok());
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM COPE")), 1);
    EXPECT_EQ(conta(QStringLiteral("SELECT COUNT(*) FROM CTAB WHERE COD='D''ANGELO'")), 1);
}

namespace {

int agenzia(const CartellaProva& cartella, QStringList argomenti, QString& err)
{
    QString out;
    QTextStream so(&out), se(&err);
    argomenti.prepend(QStringLiteral("agenzia"));
    argomenti.prepend(cartella.percorso());
    argomenti.prepend(QStringLiteral("--cartella"));
    return eseguiCli(argomenti, so, se, QString());
}

} // namespace

TEST(CliAgenzia, SameNormalisationAndChecksAsTheWindow)
{
    CartellaProva cartella;
    QString err;
    EXPECT_EQ(agenzia(cartella,
                      {QStringLiteral("--codice"), QStringLiteral(" 01234567890"),
                       QStringLiteral("--ragione-sociale"), QStringLiteral("  rossi cambi"),
                       QStringLiteral("--sede-comune"), QStringLiteral("roma"),
                       QStringLiteral("--sede-provincia"), QStringLiteral("rm")},
                      err),
              0)
        << err.toStdString();
    // An update keeps what it is not told; a person needs its own fields.
    EXPECT_EQ(agenzia(cartella,
                      {QStringLiteral("--codice"), QStringLiteral("01234567890"),
                       QStringLiteral("--tipo"), QStringLiteral("pf"), QStringLiteral("--cognome"),
                       QStringLiteral("rossi")},
                      err),
              2);
    EXPECT_EQ(err.trimmed(), QStringLiteral("vONOME: Campo Obbligatorio"));
    err.clear();
    EXPECT_EQ(agenzia(cartella,
                      {QStringLiteral("--codice"),
                       QStringLiteral("RSSMRA80A01H501U"),
                       QStringLiteral("--tipo"),
                       QStringLiteral("PF"),
                       QStringLiteral("--cognome"),
                       QStringLiteral("rossi"),
                       QStringLiteral("--nome"),
                       QStringLiteral("mario"),
                       QStringLiteral("--sesso"),
                       QStringLiteral("m"),
                       QStringLiteral("--data-nascita"),
                       QStringLiteral("30/02/1980"),
                       QStringLiteral("--comune-nascita"),
                       QStringLiteral("roma"),
                       QStringLiteral("--provincia-nascita"),
                       QStringLiteral("rm"),
                       QStringLiteral("--domicilio-comune"),
                       QStringLiteral("roma"),
                       QStringLiteral("--domicilio-provincia"),
                       QStringLiteral("rm")},
                      err),
              2);
    EXPECT_EQ(err.trimmed(), QStringLiteral("vONDT: Data non valida"));

    auto ambiente = cartella.avvia();
    ASSERT_TRUE(ambiente);
    const auto letta = ArchivioAgenzie::carica(ambiente->db(), QStringLiteral("01234567890"));
    ASSERT_TRUE(letta.ok() && letta.valore());
    EXPECT_EQ(letta.valore()->orag, QStringLiteral("ROSSI CAMBI"));
    EXPECT_EQ(letta.valore()->ostp, QStringLiteral("G")); // the refused update changed nothing
    EXPECT_EQ(letta.valore()->oscom, QStringLiteral("ROMA"));
    EXPECT_FALSE(ArchivioAgenzie::carica(ambiente->db(), QStringLiteral("RSSMRA80A01H501U"))
                     .valore()
                     .has_value());
}
