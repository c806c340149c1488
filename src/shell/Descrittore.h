#pragma once

#include "base/Esito.h"

#include <QString>
#include <QStringList>

// The connection descriptor: four scrambled lines in CartellaDati/SYSTEM through
// which the programs of one installation find each other's database.
//   1 the connection string, 2 the TipoDb option, 3 the application folder, 4 empty.
namespace Descrittore {

inline const QString nomeProprio = QStringLiteral("ZEFIRANTE_CN.DLL");
// The descriptor that the sibling exchange-register program writes.
inline const QString nomeCollegato = QStringLiteral("CAMBIAVALUTE_CN.DLL");

// One key per line, shared by every program of the family.
int chiaveRiga(int riga);

// The bytes of the file. A line whose scrambled bytes would hold a line
// break is written empty, so the file always has exactly four lines.
QByteArray codifica(const QStringList& righe);
QStringList decodifica(const QByteArray& contenuto);

EsitoVuoto scrivi(const QString& file, const QStringList& righe);
Esito<QStringList> leggi(const QString& file);

} // namespace Descrittore
