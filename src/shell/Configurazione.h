#pragma once

#include <QString>

// The keys of configurazione.ini that the program reads, cut as it keeps them.
// Only TipoDb and PCDirF have an effect; the others are read for the sake of
// installations that share the file with sibling programs.
struct Configurazione
{
    QString log;
    QString pc;
    QString tipoDb;
    QString debug;
    QString serverUtente;
    QString serverPassword;
    QString serverNome;
    QString pcDirF;

    static Configurazione leggi(const QString& percorsoIni);
};
