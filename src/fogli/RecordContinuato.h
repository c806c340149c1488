#pragma once

#include "fogli/RecordBiff.h"

#include <QString>
#include <vector>

// A record and the CONTINUE records after it, read as one run of bytes: the
// format cuts long data (the shared strings, a long text) into records of
// at most 8224 bytes. Every read fails rather than pass the last record.
class RecordContinuato
{
public:
    // From `inizio` bytes into the first record; the others follow in turn.
    RecordContinuato(std::vector<RecordBiff::Record> parti, int inizio);
    // `primo` and the CONTINUE records that follow it in `records`, which
    // are read past them.
    static RecordContinuato conSeguito(RecordBiff::Records& records,
                                       const RecordBiff::Record& primo, int inizio);

    bool u8(quint8& valore);
    bool u16(quint16& valore);
    bool u32(quint32& valore);
    bool salta(quint32 byte);
    // No byte left in any record.
    bool finito();

    // An Excel 97-2003 string: its character count (`contaInByte`: one byte,
    // else two), a flags byte, then the characters, one byte (the low byte
    // of UTF-16) or two each. Where a record ends inside the characters the
    // next one starts with a flags byte of its own, since the rest may be
    // stored the other way. Formatting runs and phonetic data, counted in
    // the flags, are skipped.
    bool stringa8(QString& testo, bool contaInByte = false);

private:
    // Moves to the next record once the current one is read to its end.
    bool disponibili();
    const RecordBiff::Record& parte() const { return m_parti[m_parte]; }

    std::vector<RecordBiff::Record> m_parti;
    std::size_t m_parte = 0;
    int m_posizione;
};
