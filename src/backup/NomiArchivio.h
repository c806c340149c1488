#pragma once

#include <QString>

// The names proposed for archives, stamped with today's date (Orologio).
namespace NomiArchivio {

inline const QString Filtro = QStringLiteral("BackUp ZEFIRANTE (*.ZFOAM)|*.ZFOAM");

// Today as yyyymmdd, the stamp in every archive name.
QString dataOdierna();

// "SAVE_" + the letters of the agency's name + "_" + yyyymmdd + ".ZFOAM",
// e.g. SAVE_ROSSICAMBI_20170906.ZFOAM.
QString salvataggio(const QString& nomeAgenzia);

// The safety copy written before a restore replaces an agency:
// <cartella>/BFRR_<code>_<yyyymmdd>.COR. A second restore on the same day
// replaces the first day's copy. The code comes from the archive being
// restored, so anything but letters and digits becomes "_": the copy lands
// in the application folder whatever the file holds.
QString copiaSicurezza(const QString& cartella, const QString& codiceAgenzia);

} // namespace NomiArchivio
