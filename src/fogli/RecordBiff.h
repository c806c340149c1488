#pragma once

#include <QByteArray>

// The records of an Excel 97-2003 (or Excel 5/95) workbook stream: a type,
// a length and that many bytes, one after another.
namespace RecordBiff {

// Record types the reader looks at.
enum Tipo : quint16
{
    kBof = 0x0809,
    kEof = 0x000A,
    kContinue = 0x003C,
    kSst = 0x00FC,
    kXf = 0x00E0,
    kFoglio = 0x0085, // BOUNDSHEET
    kFormato = 0x041E,
    kEtichetta = 0x0204,      // LABEL
    kEtichettaRicca = 0x00D6, // RSTRING: a LABEL with formatting runs
    kTesto = 0x0207,          // STRING: a formula's text result
    kEtichettaSst = 0x00FD,   // LABELSST
    kNumero = 0x0203,
    kRk = 0x027E,
    kBoolErr = 0x0205,
    kVuota = 0x0201, // BLANK
    kFormula = 0x0006,
    kMulRk = 0x00BD,
    kMulVuote = 0x00BE,    // MULBLANK
    kSistemaDate = 0x0022, // DATEMODE
    kProtezione = 0x002F,  // FILEPASS
    kCodifica = 0x0042,    // CODEPAGE
};

// The BOF's version field.
constexpr quint16 kBiff8 = 0x0600;
constexpr quint16 kBiff5 = 0x0500;
// The BOF's substream type field.
constexpr quint16 kGlobali = 0x0005;
constexpr quint16 kFoglioDiLavoro = 0x0010;

struct Record
{
    quint16 tipo = 0;
    const quint8* dati = nullptr;
    quint16 lunghezza = 0;
    qsizetype posizione = 0; // of the record's header in the stream
};

class Records
{
public:
    explicit Records(const QByteArray& flusso, qsizetype inizio = 0)
        : m_flusso(flusso), m_posizione(inizio)
    {
    }

    // False at the end of the stream or at a record running past it.
    bool prossimo(Record& record)
    {
        if (m_posizione < 0 || m_posizione + 4 > m_flusso.size())
            return false;
        const auto* p = reinterpret_cast<const quint8*>(m_flusso.constData() + m_posizione);
        record.tipo = static_cast<quint16>(p[0] | p[1] << 8);
        record.lunghezza = static_cast<quint16>(p[2] | p[3] << 8);
        if (m_posizione + 4 + record.lunghezza > m_flusso.size())
            return false;
        record.dati = p + 4;
        record.posizione = m_posizione;
        m_posizione += 4 + record.lunghezza;
        return true;
    }

    // The next record only when it is a CONTINUE of the one just read.
    bool continuazione(Record& record)
    {
        const qsizetype qui = m_posizione;
        if (prossimo(record) && record.tipo == kContinue)
            return true;
        m_posizione = qui;
        return false;
    }

    qsizetype posizione() const { return m_posizione; }
    qsizetype fine() const { return m_flusso.size(); }

private:
    const QByteArray& m_flusso;
    qsizetype m_posizione;
};

// Little-endian values inside a record; 0 past its end.
inline quint16 u16(const Record& r, int i)
{
    return i >= 0 && i + 2 <= r.lunghezza ? static_cast<quint16>(r.dati[i] | r.dati[i + 1] << 8)
                                          : 0;
}

inline quint32 u32(const Record& r, int i)
{
    return static_cast<quint32>(u16(r, i)) | static_cast<quint32>(u16(r, i + 2)) << 16;
}

} // namespace RecordBiff
