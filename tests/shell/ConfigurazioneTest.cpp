#include "shell/Configurazione.h"

#include "shell/Cartelle.h"
#include "shell/LeggiIni.h"
#include "base/NomeFile.h"
#include "support/CartellaProva.h"

#include <QDir>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QString valore(const char* ini, const char* sezione, const char* chiave)
{
    return FileIni::daTesto(QByteArray(ini))
        .LeggiIni(QString::fromLatin1(sezione), QString::fromLatin1(chiave));
}

} // namespace

TEST(LeggiIni, ReadsLikeWindowsProfileStrings)
{
    const char* ini = "; commento\r\n"
                      "[Connessione]\r\n"
                      "log = C:\\log.txt \r\n"
                      "[opzioni]\n"
                      "TIPODB=Access\n"
                      "PCDirF=\"C:\\Dati Comuni\"\n"
                      "vuota=\n"
                      ";debug=1\n"
                      "[altro]\r"
                      "debug=2\r";
    EXPECT_EQ(valore(ini, "connessione", "LOG"), QStringLiteral("C:\\log.txt"));
    EXPECT_EQ(valore(ini, "opzioni", "TipoDb"), QStringLiteral("Access"));
    EXPECT_EQ(valore(ini, "opzioni", "PCDirF"), QStringLiteral("C:\\Dati Comuni"));
    EXPECT_EQ(valore(ini, "opzioni", "vuota"), QString());
    EXPECT_EQ(valore(ini, "opzioni", "debug"),
              QString()); // commented out; "altro" is another section
    EXPECT_EQ(valore(ini, "altro", "debug"), QStringLiteral("2"));
    EXPECT_EQ(valore(ini, "manca", "log"), QString());
    EXPECT_EQ(FileIni::leggi(QStringLiteral("/non/esiste.ini"))
                  .LeggiIni(QStringLiteral("opzioni"), QStringLiteral("PC")),
              QString());
}

TEST(LeggiIni, SeesAtMost127CharactersAndReadsWindows1252)
{
    const QByteArray lungo = QByteArray(200, 'x');
    EXPECT_EQ(FileIni::daTesto("[opzioni]\r\nPCDirF=" + lungo + "\r\n")
                  .LeggiIni(QStringLiteral("opzioni"), QStringLiteral("PCDirF"))
                  .size(),
              127);
    EXPECT_EQ(FileIni::daTesto("[opzioni]\r\nServer_Nome=Citt\xe0\r\n")
                  .LeggiIni(QStringLiteral("opzioni"), QStringLiteral("Server_Nome")),
              QStringLiteral("Città"));
}

TEST(Configurazione, KeepsEachKeyAsLongAsTheProgramDoes)
{
    CartellaProva cartella(QByteArray(
        "[connessione]\r\nlog=registro lungo\r\n[opzioni]\r\nPC=Server\r\nTipoDb=ACCESS\r\n"
        "Server_Utente=utente_molto_lungo\r\nServer_Password=segreto12345\r\n"
        "Server_Nome=nome_del_server_molto_lungo\r\nPCDirF=  /dati/comuni  \r\n"));
    const Configurazione c = Configurazione::leggi(Cartelle::fileIni(cartella.percorso()));
    EXPECT_EQ(c.log, QStringLiteral("registro lungo"));
    EXPECT_EQ(c.pc, QStringLiteral("S"));
    EXPECT_EQ(c.tipoDb, QStringLiteral("A"));
    EXPECT_EQ(c.serverUtente, QStringLiteral("utente_mol"));
    EXPECT_EQ(c.serverPassword, QStringLiteral("segreto123"));
    EXPECT_EQ(c.serverNome, QStringLiteral("nome_del_server_molt"));
    EXPECT_EQ(c.pcDirF, QStringLiteral("/dati/comuni"));
}

TEST(NomeFile, KeepsOnlyTheFirstTwentyLettersUpperCased)
{
    EXPECT_EQ(NomeFile(QStringLiteral("  Rossi Cambi S.r.l. ")), QStringLiteral("ROSSICAMBISRL"));
    EXPECT_EQ(NomeFile(QStringLiteral("D'Angelo & Figli 2017 - Cambi e Valute Internazionali")),
              QStringLiteral("DANGELOFIGLICAMBIEVA"));
    EXPECT_EQ(NomeFile(QStringLiteral("12345 - !!")), QString());
    EXPECT_EQ(NomeFile(QString()), QString());
    EXPECT_EQ(NomeFile(QStringLiteral("Società Città")), QStringLiteral("SOCIETCITT"));
}

TEST(Cartelle, ApplicationFolderChoices)
{
    CartellaProva eseguibile(QByteArray{});
    EXPECT_EQ(Cartelle::applicazione(QStringLiteral("/scelta"), eseguibile.percorso()),
              QStringLiteral("/scelta"));
    // An executable folder without DataBase/ or configurazione.ini is an installed program: user
    // data folder.
    EXPECT_EQ(Cartelle::applicazione(QString(), eseguibile.percorso()),
              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    eseguibile.scrivi(QStringLiteral("configurazione.ini"), "[opzioni]\r\n");
    EXPECT_EQ(Cartelle::applicazione(QString(), eseguibile.percorso()),
              QDir(eseguibile.percorso()).absolutePath());
}

TEST(Cartelle, SharedDataFolderChoices)
{
    EXPECT_EQ(Cartelle::dati(QStringLiteral("PGM"), QStringLiteral("/app")),
              QStringLiteral("/app"));
    EXPECT_EQ(Cartelle::dati(QStringLiteral("/comuni"), QStringLiteral("/app")),
              QStringLiteral("/comuni"));
    EXPECT_EQ(Cartelle::dati(QString(), QStringLiteral("/app")),
              QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    qputenv("appdata", "/profilo/AppData/Roaming");
    EXPECT_EQ(Cartelle::dati(QString(), QStringLiteral("/app")),
              QStringLiteral("/profilo/AppData/Roaming"));
    qunsetenv("appdata");
}

TEST(Cartelle, PreparingAFolderNeverReplacesTheUsersFiles)
{
    CartellaProva cartella;
    cartella.scrivi(QStringLiteral("DIVISE.CSV"), "EUR;978;Euro mio\r\n");
    ASSERT_TRUE(Cartelle::preparaApplicazione(cartella.percorso()).ok());
    EXPECT_EQ(cartella.leggi(QStringLiteral("DIVISE.CSV")), QByteArray("EUR;978;Euro mio\r\n"));
    EXPECT_TRUE(QDir(cartella.file(QStringLiteral("stampe"))).exists());
    EXPECT_TRUE(QDir(cartella.file(QStringLiteral("Help"))).exists());
}
