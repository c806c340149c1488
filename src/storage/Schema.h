#pragma once

#include "base/Esito.h"

#include <QString>
#include <QStringList>

class Connessione;

// Table names, and the column order that the backup archive relies on.
namespace Tabelle {
inline const QString COPE = QStringLiteral("COPE");
inline const QString CTAB = QStringLiteral("CTAB");
inline const QString COPERA = QStringLiteral("COPERA");
inline const QString CNOTEV = QStringLiteral("CNOTEV");
inline const QString CANA = QStringLiteral("CANA");
inline const QString T_COMUNI = QStringLiteral("T_COMUNI");
inline const QString T_COMUNICF = QStringLiteral("T_COMUNICF");

QStringList tutte();
} // namespace Tabelle

// Creates the tables of a new database and loads the shipped reference data
// (municipalities, cadastral codes, countries), all in one transaction.
EsitoVuoto creaDatabase(const Connessione& connessione);

// Checks that the file is a database of this program (every table present).
EsitoVuoto verificaSchema(const Connessione& connessione);
