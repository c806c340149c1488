#pragma once

#include "base/Esito.h"
#include "communication/TracciatoRecord.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <span>

struct DatiAgenzia;

// The three records of the monthly communication, each the 448 bytes of one
// line without its CR LF, as the tables of TracciatoRecord.h lay them out:
// "A" the header (agency and period), "B" one exchange operation, "Z" the
// trailer with the count of B records.

QByteArray RecordA(const DatiAgenzia& agenzia);

// `valori` are the 22 sheet columns as they go into fields B3 to B24. Fails
// when an amount's whole part or the number does not fit its field.
Esito<QByteArray> RecordB(qint64 progressivo, std::span<const QString, kColonneFoglio> valori);
// The same record appended to `destinazione`, so a writer gathering records
// in a block builds each in place; on failure `destinazione` is as it was.
EsitoVuoto AccodaRecordB(qint64 progressivo, std::span<const QString, kColonneFoglio> valori,
                         QByteArray& destinazione);
// The same from Latin-1 bytes (the checked fields of an ASCII line of a CSV
// file), which give the very record their texts would.
EsitoVuoto AccodaRecordB(qint64 progressivo,
                         std::span<const QLatin1StringView, kColonneFoglio> valori,
                         QByteArray& destinazione);

Esito<QByteArray> RecordZ(qint64 numeroRecordB);
