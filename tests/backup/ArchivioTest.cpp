#include "backup/FormatoArchivio.h"
#include "backup/RipristinaArchivio.h"
#include "backup/ScriviArchivio.h"
#include "support/CartellaProva.h"
#include "support/OrologioFisso.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace {

const QString Codice = QStringLiteral("RSSMRA80A01H501U");

class Archivi : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_ambiente = m_cartella.avvia();
        ASSERT_TRUE(m_ambiente);
    }

    const Connessione& db() const { return m_ambiente->db(); }

    void agenzia(const QString& codice, const QString& ragione,
                 const QString& comune = QStringLiteral("ROMA"))
    {
        ASSERT_TRUE(db().inserisci(QStringLiteral("COPE"),
                                   {{QStringLiteral("OCOD"), codice},
                                    {QStringLiteral("ORAG"), ragione},
                                    {QStringLiteral("OSTP"), QStringLiteral("G")},
                                    {QStringLiteral("OSCOM"), comune},
                                    {QStringLiteral("OSPRO"), QStringLiteral("RM")}})
                        .ok());
    }

    void codice(const QString& tipo, const QString& cod, const QString& des)
    {
        ASSERT_TRUE(db().inserisci(QStringLiteral("CTAB"), {{QStringLiteral("TIPO"), tipo},
                                                            {QStringLiteral("COD"), cod},
                                                            {QStringLiteral("DES"), des}})
                        .ok());
    }

    void esegui(const QString& sql) const
    {
        ASSERT_TRUE(db().esegui(sql).ok()) << sql.toStdString();
    }

    // Every row of the agency tables, as text with types, in storage order.
    QStringList contenuto() const
    {
        QStringList righe;
        for (const char* tabella : {"COPE", "CTAB"}) {
            auto query = db().esegui(
                QStringLiteral("SELECT * FROM %1 ORDER BY rowid").arg(QLatin1String(tabella)));
            EXPECT_TRUE(query.ok());
            while (query.ok() && query.valore().next()) {
                const QSqlRecord r = query.valore().record();
                QString riga = QLatin1String(tabella);
                for (int i = 0; i < r.count(); ++i)
                    riga += QStringLiteral("|%1:%2").arg(r.value(i).isNull()
                                                             ? QStringLiteral("NULL")
                                                             : QLatin1String(r.value(i).typeName()),
                                                         r.value(i).toString());
                righe << riga;
            }
        }
        return righe;
    }

    QString archivio(const QString& nome) const { return m_cartella.file(nome); }
    QByteArray leggi(const QString& nome) const { return m_cartella.leggi(nome); }
    void scrivi(const QString& nome, const QByteArray& byte) const
    {
        m_cartella.scrivi(nome, byte);
    }

    Esito<EsitoRipristino> ripristina(const QString& nome) const
    {
        return RipristinaArchivio(db(), archivio(nome), m_cartella.percorso());
    }

    QStringList copieSicurezza() const
    {
        return QDir(m_cartella.percorso()).entryList({QStringLiteral("*.COR")}, QDir::Files);
    }

    OrologioFisso m_orologio{QDate(2017, 9, 6)};
    CartellaProva m_cartella;
    std::unique_ptr<Ambiente> m_ambiente;
};

QByteArray cp(const char* testo)
{
    return QByteArray(testo);
}

} // namespace

TEST_F(Archivi, AgencyWithoutCodeRowsIsOneLineOfItsColumnsInTableOrder)
{
    agenzia(Codice, QStringLiteral("ROSSI CAMBI"));
    agenzia(QStringLiteral("ALTRA"), QStringLiteral("ALTRA CAMBI"));
    codice(QStringLiteral("NOTE"), QStringLiteral("ALTRA"), QStringLiteral("non sua"));
    int passi = 0;
    ASSERT_TRUE(ScriviArchivio(db(), archivio(QStringLiteral("a.ZFOAM")), Codice, [&passi] {
                    ++passi;
                }).ok());
    // OCOD ORAG OPIVA OCF OSTP OCOG ONOME OSEX ONDT ONCOM ONPRO OSCOM OSPRO OSOCOM OSOPRO ODCOM
    // ODPRO OCITTAD
    EXPECT_EQ(leggi(QStringLiteral("a.ZFOAM")), cp("\xA6"
                                                   "COPE\xA6"
                                                   "RSSMRA80A01H501U\xA6"
                                                   "ROSSI CAMBI\xA6\xA6\xA6"
                                                   "G\xA6\xA6\xA6\xA6\xA6\xA6\xA6"
                                                   "ROMA\xA6"
                                                   "RM\xA6\xA6\xA6\xA6\xA6\r\n"));
    EXPECT_EQ(passi, 1);
}

TEST_F(Archivi, SaveDeleteRestoreGivesBackTheSameRowsByteForByte)
{
    agenzia(Codice, QStringLiteral("CAMBI D'ITALIA È PIÙ"));
    esegui(
        QStringLiteral("UPDATE COPE SET ONOME='  MARIO  ', OCOG=NULL WHERE OCOD='%1'").arg(Codice));
    codice(QStringLiteral("NOTE"), Codice, QStringLiteral("prima nota # con cancelletto"));
    codice(QStringLiteral("RIF"), Codice, QString());
    ASSERT_TRUE(ScriviArchivio(db(), archivio(QStringLiteral("uno.ZFOAM")), Codice).ok());
    const QByteArray primo = leggi(QStringLiteral("uno.ZFOAM"));
    EXPECT_EQ(primo.count("\r\n"), 3);
    EXPECT_TRUE(primo.contains(cp("\xA6"
                                  "CAMBI D'ITALIA \xC8 PI\xD9\xA6")));

    esegui(QStringLiteral("DELETE FROM COPE WHERE OCOD='%1'").arg(Codice));
    esegui(QStringLiteral("DELETE FROM CTAB WHERE COD='%1'").arg(Codice));
    const auto esito = ripristina(QStringLiteral("uno.ZFOAM"));
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(esito->codice, Codice);
    EXPECT_EQ(esito->righe, 3);

    ASSERT_TRUE(ScriviArchivio(db(), archivio(QStringLiteral("due.ZFOAM")), Codice).ok());
    EXPECT_EQ(leggi(QStringLiteral("due.ZFOAM")), primo);
}

TEST_F(Archivi, RestoringTwiceGivesTheSameDatabaseAndOneSafetyCopyPerDay)
{
    agenzia(Codice, QStringLiteral("ROSSI CAMBI"));
    codice(QStringLiteral("NOTE"), Codice, QStringLiteral("nota"));
    ASSERT_TRUE(ScriviArchivio(db(), archivio(QStringLiteral("a.ZFOAM")), Codice).ok());
    const QByteArray archivioOriginale = leggi(QStringLiteral("a.ZFOAM"));
    // Changes after the backup: the restore brings the saved ones back and
    // leaves the agency's extra code row alone.
    esegui(QStringLiteral("UPDATE COPE SET ORAG='NUOVO NOME' WHERE OCOD='%1'").arg(Codice));
    esegui(QStringLiteral("UPDATE CTAB SET DES='cambiata' WHERE COD='%1'").arg(Codice));
    codice(QStringLiteral("EXTRA"), Codice, QStringLiteral("resta"));

    ASSERT_TRUE(ripristina(QStringLiteral("a.ZFOAM")).ok());
    const QStringList dopoUno = contenuto();
    EXPECT_EQ(dopoUno.filter(QStringLiteral("ROSSI CAMBI")).size(), 1);
    EXPECT_EQ(dopoUno.filter(QStringLiteral("|QString:nota")).size(), 1);
    EXPECT_EQ(dopoUno.filter(QStringLiteral("|QString:resta")).size(), 1);
    EXPECT_TRUE(dopoUno.filter(QStringLiteral("cambiata")).isEmpty());
    const QString copia = QStringLiteral("BFRR_%1_20170906.COR").arg(Codice);
    // The safety copy holds the data as it stood before the restore.
    EXPECT_TRUE(leggi(copia).contains("NUOVO NOME"));
    EXPECT_TRUE(leggi(copia).contains("cambiata"));

    ASSERT_TRUE(ripristina(QStringLiteral("a.ZFOAM")).ok());
    EXPECT_EQ(contenuto(), dopoUno);
    EXPECT_EQ(copieSicurezza(), QStringList{copia});
    // The second copy, of the restored data, replaced the first of the day.
    EXPECT_FALSE(leggi(copia).contains("NUOVO NOME"));
    EXPECT_EQ(leggi(QStringLiteral("a.ZFOAM")), archivioOriginale);

    OrologioFisso domani(QDate(2017, 9, 7));
    ASSERT_TRUE(ripristina(QStringLiteral("a.ZFOAM")).ok());
    EXPECT_EQ(copieSicurezza().size(), 2);
}

TEST_F(Archivi, HashSeparatedArchiveRestoresLikeTheBrokenBarOne)
{
    // An agency not yet in the database: added, with an empty safety copy.
    scrivi(QStringLiteral("barra.ZFOAM"), cp("\xA6"
                                             "COPE\xA6"
                                             "NUOVA01\xA6"
                                             "NUOVA CAMBI\r\n"
                                             "\xA6"
                                             "CTAB\xA6"
                                             "NOTE\xA6"
                                             "NUOVA01\xA6"
                                             "benvenuta\r\n"));
    scrivi(QStringLiteral("cancelletto.ZFOAM"),
           cp("#COPE#NUOVA01#NUOVA CAMBI\r\n#CTAB#NOTE#NUOVA01#benvenuta\r\n"));
    const auto intestazione = LeggiIntestazione(archivio(QStringLiteral("cancelletto.ZFOAM")));
    ASSERT_TRUE(intestazione.ok());
    EXPECT_EQ(intestazione->codice, QStringLiteral("NUOVA01"));
    EXPECT_EQ(intestazione->descrizione, QStringLiteral("NUOVA01 NUOVA CAMBI"));

    const QStringList prima = contenuto();
    ASSERT_TRUE(ripristina(QStringLiteral("barra.ZFOAM")).ok());
    EXPECT_TRUE(QFile::exists(archivio(QStringLiteral("BFRR_NUOVA01_20170906.COR"))));
    EXPECT_EQ(leggi(QStringLiteral("BFRR_NUOVA01_20170906.COR")), QByteArray());
    const QStringList conBarra = contenuto();
    EXPECT_EQ(conBarra.size(), prima.size() + 2);

    esegui(QStringLiteral("DELETE FROM CTAB WHERE COD='NUOVA01'"));
    esegui(QStringLiteral("DELETE FROM COPE WHERE OCOD='NUOVA01'"));
    const auto esito = ripristina(QStringLiteral("cancelletto.ZFOAM"));
    ASSERT_TRUE(esito.ok()) << esito.errore().toStdString();
    EXPECT_EQ(contenuto(), conBarra);
}

TEST_F(Archivi, FilesThatAreNotArchivesAreRefusedAndChangeNothing)
{
    agenzia(Codice, QStringLiteral("ROSSI CAMBI"));
    const QStringList prima = contenuto();
    const struct
    {
        const char* nome;
        QByteArray byte;
    } casi[] = {
        {"ctab.ZFOAM", cp("\xA6"
                          "CTAB\xA6"
                          "NOTE\xA6"
                          "RSSMRA80A01H501U\xA6"
                          "x\r\n\xA6"
                          "COPE\xA6"
                          "RSSMRA80A01H501U\r\n")},
        {"vuoto.ZFOAM", QByteArray()},
        {"binario.ZFOAM", QByteArray("PK\x03\x04\0\0\xA6"
                                     "COPE\xA6\0\xff\xfe",
                                     16)},
    };
    for (const auto& caso : casi) {
        const QString nome = QString::fromLatin1(caso.nome);
        scrivi(nome, caso.byte);
        const auto intestazione = LeggiIntestazione(archivio(nome));
        ASSERT_FALSE(intestazione.ok()) << caso.nome;
        EXPECT_EQ(intestazione.errore(), Archivio::NonArchivio);
        const auto esito = ripristina(nome);
        ASSERT_FALSE(esito.ok()) << caso.nome;
        EXPECT_EQ(esito.errore(), Archivio::NonArchivio);
    }
    EXPECT_FALSE(LeggiIntestazione(archivio(QStringLiteral("manca.ZFOAM"))).ok());
    EXPECT_EQ(contenuto(), prima);
    EXPECT_TRUE(copieSicurezza().isEmpty());
}

TEST_F(Archivi, AnArchiveThatFailsPartWayLeavesTheDatabaseAsItWas)
{
    agenzia(Codice, QStringLiteral("ROSSI CAMBI"));
    codice(QStringLiteral("NOTE"), Codice, QStringLiteral("nota"));
    const QStringList prima = contenuto();
    const QByteArray testa = cp("\xA6"
                                "COPE\xA6"
                                "RSSMRA80A01H501U\xA6"
                                "ARCHIVIO CAMBI\r\n"
                                "\xA6"
                                "CTAB\xA6"
                                "NOTE\xA6"
                                "RSSMRA80A01H501U\xA6"
                                "dall'archivio\r\n");
    const struct
    {
        const char* caso;
        QByteArray terza;
        const char* errore;
    } casi[] = {
        // A description broken by a line end: its rest reads as a table.
        {"spezzata",
         cp("\xA6"
            "CTAB\xA6"
            "RIF\xA6"
            "RSSMRA80A01H501U\xA6"
            "prima parte\r\nseconda parte\r\n"),
         "Riga 4"},
        {"tronca",
         cp("\xA6"
            "CTAB\xA6"
            "RIF\r\n"),
         "Riga 3"},
        {"troppi valori",
         cp("\xA6"
            "COPE\xA6"
            "RSSMRA80A01H501U") +
             QByteArray(20, '\xA6') + "\r\n",
         "Riga 3"},
        {"altra tabella",
         cp("\xA6"
            "COPERA\xA6"
            "RSSMRA80A01H501U\xA6"
            "2017-01-01\r\n"),
         "Riga 3"},
        {"altra agenzia",
         cp("\xA6"
            "CTAB\xA6"
            "NOTE\xA6"
            "ALTRA\xA6"
            "x\r\n"),
         "Riga 3"},
        {"seconda agenzia",
         cp("\xA6"
            "COPE\xA6"
            "ALTRA\xA6"
            "INTRUSA\r\n"),
         "Riga 3"},
        // Passes every check, fails in the database: the primary key.
        {"doppia",
         cp("\xA6"
            "COPE\xA6"
            "RSSMRA80A01H501U\xA6"
            "DOPPIA\r\n"),
         "Riga 3"},
    };
    for (const auto& caso : casi) {
        scrivi(QStringLiteral("rotto.ZFOAM"), testa + caso.terza);
        QFile::remove(m_cartella.file(QStringLiteral("BFRR_%1_20170906.COR").arg(Codice)));
        const auto esito = ripristina(QStringLiteral("rotto.ZFOAM"));
        ASSERT_FALSE(esito.ok()) << caso.caso;
        EXPECT_TRUE(esito.errore().startsWith(QLatin1String(caso.errore)))
            << caso.caso << ": " << esito.errore().toStdString();
        EXPECT_EQ(contenuto(), prima) << caso.caso;
        EXPECT_TRUE(
            leggi(QStringLiteral("BFRR_%1_20170906.COR").arg(Codice)).contains("ROSSI CAMBI"))
            << caso.caso;
    }
}

TEST_F(Archivi, DoubleColumnsWriteTheBareCommaForZeroAndReadBlankAsZero)
{
    // The agency tables hold only text today; a number column shows how any
    // later one travels.
    esegui(QStringLiteral("ALTER TABLE COPE ADD COLUMN OSALDO DOUBLE"));
    esegui(QStringLiteral("ALTER TABLE COPE ADD COLUMN OFIDO DOUBLE"));
    esegui(QStringLiteral("ALTER TABLE COPE ADD COLUMN OTASSO DOUBLE"));
    agenzia(Codice, QStringLiteral("ROSSI CAMBI"));
    esegui(QStringLiteral("UPDATE COPE SET OSALDO=0, OFIDO=NULL, OTASSO=1500.756 WHERE OCOD='%1'")
               .arg(Codice));
    ASSERT_TRUE(ScriviArchivio(db(), archivio(QStringLiteral("n.ZFOAM")), Codice).ok());
    EXPECT_TRUE(leggi(QStringLiteral("n.ZFOAM"))
                    .endsWith(cp("\xA6"
                                 ",\xA6\xA6"
                                 "1500,76\r\n")));

    esegui(QStringLiteral("UPDATE COPE SET OSALDO=5, OFIDO=7 WHERE OCOD='%1'").arg(Codice));
    ASSERT_TRUE(ripristina(QStringLiteral("n.ZFOAM")).ok());
    auto query = db().esegui(
        QStringLiteral("SELECT OSALDO, OFIDO, OTASSO FROM COPE WHERE OCOD='%1'").arg(Codice));
    ASSERT_TRUE(query.ok());
    ASSERT_TRUE(query.valore().next());
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(query.valore().value(i).isNull()) << i;
        EXPECT_EQ(query.valore().value(i).toDouble(), 0.0) << i;
    }
    EXPECT_DOUBLE_EQ(query.valore().value(2).toDouble(), 1500.76);

    scrivi(QStringLiteral("lettere.ZFOAM"), cp("\xA6"
                                               "COPE\xA6"
                                               "RSSMRA80A01H501U") +
                                                QByteArray(18, '\xA6') + "dieci\r\n");
    const auto esito = ripristina(QStringLiteral("lettere.ZFOAM"));
    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.errore().contains(QLatin1String("OSALDO"))) << esito.errore().toStdString();
}

TEST_F(Archivi, AnAgencyWhoseValuesWouldBreakTheArchiveIsNotSaved)
{
    for (const QString& comune : {QStringLiteral("ROMA\u00A6EUR"), QStringLiteral("ROMA\r\nEUR"),
                                  QStringLiteral("ROMA\nEUR")}) {
        esegui(QStringLiteral("DELETE FROM COPE"));
        agenzia(Codice, QStringLiteral("ROSSI CAMBI"), comune);
        const auto esito = ScriviArchivio(db(), archivio(QStringLiteral("x.ZFOAM")), Codice);
        ASSERT_FALSE(esito.ok());
        EXPECT_TRUE(esito.errore().contains(QLatin1String("OSCOM")))
            << esito.errore().toStdString();
        EXPECT_FALSE(QFile::exists(archivio(QStringLiteral("x.ZFOAM"))));
    }
    // A broken code row is refused too, and a good archive already there stays as it was.
    esegui(QStringLiteral("UPDATE COPE SET OSCOM='ROMA'"));
    ASSERT_TRUE(ScriviArchivio(db(), archivio(QStringLiteral("x.ZFOAM")), Codice).ok());
    const QByteArray buono = leggi(QStringLiteral("x.ZFOAM"));
    codice(QStringLiteral("NOTE"), Codice, QStringLiteral("a\u00A6b"));
    EXPECT_FALSE(ScriviArchivio(db(), archivio(QStringLiteral("x.ZFOAM")), Codice).ok());
    EXPECT_EQ(leggi(QStringLiteral("x.ZFOAM")), buono);
}
