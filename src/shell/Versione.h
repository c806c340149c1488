#pragma once

#include <QString>

// Texts shown by the welcome and version windows and by --version.
namespace Versione {
inline const QString titoloApplicazione = QStringLiteral("ZEFIRANTE");
inline const QString testoVersione = QStringLiteral("Versione 1.0 - Monoutente");
inline const QString testoRelease = QStringLiteral("Release 1.9.1 - 6 Settembre  2017");
inline const QString numero = QStringLiteral(ZEFIRANTE_VERSIONE);
} // namespace Versione
