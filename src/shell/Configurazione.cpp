#include "shell/Configurazione.h"

#include "shell/LeggiIni.h"

Configurazione Configurazione::leggi(const QString& percorsoIni)
{
    const FileIni ini = FileIni::leggi(percorsoIni);
    const auto opzione = [&ini](const char* chiave, qsizetype caratteri) {
        return ini.LeggiIni(QStringLiteral("opzioni"), QString::fromLatin1(chiave)).left(caratteri);
    };
    Configurazione c;
    c.log = ini.LeggiIni(QStringLiteral("connessione"), QStringLiteral("log"));
    c.pc = opzione("PC", 1);
    c.tipoDb = opzione("TipoDb", 1);
    c.debug = opzione("debug", 1);
    c.serverUtente = opzione("Server_Utente", 10);
    c.serverPassword = opzione("Server_Password", 10);
    c.serverNome = opzione("Server_Nome", 20);
    c.pcDirF = opzione("PCDirF", 150).trimmed();
    return c;
}
