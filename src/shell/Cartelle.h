#pragma once

#include "base/Esito.h"

#include <QString>

// Where the program keeps its files.
namespace Cartelle {

// The application folder: the one given on the command line; else the
// executable's folder when it holds DataBase/ or configurazione.ini (a
// portable install); else the user's data folder.
QString applicazione(const QString& richiesta, const QString& cartellaEseguibile);

// The folder of the shared system files: PCDirF empty -> the "appdata"
// folder (on systems without that variable, the user's data folder);
// "PGM" -> the application folder; anything else -> that folder.
QString dati(const QString& pcDirF, const QString& cartellaApplicazione);

// Lays the shipped files into an application folder that lacks them
// (DIVISE.CSV, stampe/, Help/); files already there are never replaced.
EsitoVuoto preparaApplicazione(const QString& cartella);

QString fileIni(const QString& cartella);
QString fileDatabase(const QString& cartella);
QString fileDivise(const QString& cartella);
QString fileErroriImport(const QString& cartella);
QString fileAvvisiImport(const QString& cartella);
// Where each agency's sheets and communications were last, for the dialogs.
QString fileCartelleAgenzie(const QString& cartella);

} // namespace Cartelle
