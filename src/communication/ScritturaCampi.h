#pragma once

#include "base/Esito.h"
#include "communication/TracciatoRecord.h"

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>
#include <QStringView>
#include <algorithm>

// How a value is written into a fixed-width field of a record: cut to the
// field, in Windows-1252, one byte a character. The fields themselves, where
// they are and what goes in them, are the tables of TracciatoRecord.h.

// The value upper-cased, then cut to its first `larghezza` characters; a
// shorter value is not padded. Characters are counted as the file will hold
// them (one per character, whatever its UTF-16 length).
QString TagliaCampo(QStringView valore, int larghezza);

// A number for a zero-padded field: the text before the first comma (the
// sheet writes amounts with the decimal comma and OAM wants the whole part
// only), preceded by `riempimento` up to `larghezza` characters. A value that
// does not fit is an error: the record cannot be built.
Esito<QString> RiempiSinistra(QStringView valore, int larghezza,
                              QChar riempimento = QLatin1Char('0'));
Esito<QString> RiempiSinistra(qint64 valore, int larghezza, QChar riempimento = QLatin1Char('0'));

// OAM wants dates as ddmmyyyy: the trimmed value with every "/" removed.
QString DataSenzaBarre(QStringView valore);

// The byte each ASCII character is placed as: control characters as blanks,
// and in the second table the small letters as capitals.
struct TabellaByteAscii
{
    char testo[2][0x80];
};

constexpr TabellaByteAscii creaTabellaByteAscii()
{
    TabellaByteAscii t{};
    for (int maiuscolo = 0; maiuscolo < 2; ++maiuscolo) {
        for (int u = 0; u < 0x80; ++u) {
            char c = static_cast<char>(u);
            if (u < 0x20 || u == 0x7F)
                c = ' ';
            else if (maiuscolo && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            t.testo[maiuscolo][u] = c;
        }
    }
    return t;
}

inline constexpr TabellaByteAscii kByteAscii = creaTabellaByteAscii();

// One record being built, blank until its fields are placed.
class BufferRecord
{
public:
    BufferRecord();
    // The record built straight into the kLunghezzaRecord bytes at
    // `destinazione`, which must outlive it; byte() is then empty.
    explicit BufferRecord(char* destinazione);

    // Places `testo` at `posizione` (counted from 1) in Windows-1252, cut to
    // `larghezza`. Control characters (a line break inside a sheet cell)
    // become blanks, so a value can never split the record into two lines.
    // `maiuscolo` upper-cases it first (sheet values).
    void metti(int posizione, int larghezza, QStringView testo, bool maiuscolo = false);
    // A date as DataSenzaBarre gives it, cut to `larghezza`.
    void mettiData(int posizione, int larghezza, QStringView data);
    // A number as RiempiSinistra gives it with "0"; false when it does not fit.
    bool mettiNumero(int posizione, int larghezza, QStringView numero);

    // The same three for a value read as Latin-1 bytes (an ASCII line of a
    // CSV file), placed byte by byte when it is ASCII and as its text otherwise.
    void metti(int posizione, int larghezza, QLatin1StringView testo, bool maiuscolo = false);
    void mettiData(int posizione, int larghezza, QLatin1StringView data);
    bool mettiNumero(int posizione, int larghezza, QLatin1StringView numero);

    // A whole number zero-padded as RiempiSinistra gives it; false when it does not fit.
    bool mettiIntero(int posizione, int larghezza, qint64 numero);

    const QByteArray& byte() const { return m_byte; }

private:
    // The whole part of a number, right-aligned with zeros.
    template <typename Vista> bool mettiParteIntera(int posizione, int larghezza, Vista intera);
    Q_NEVER_INLINE void mettiDataLatin1(int posizione, int larghezza, QLatin1StringView data);
    // Bytes beyond ASCII, placed as their text.
    Q_NEVER_INLINE static void mettiLatin1(char* campo, int larghezza, QLatin1StringView testo,
                                           bool maiuscolo);

    QByteArray m_byte;
    char* m_dati; // the record's bytes: m_byte's or the caller's
};

// Inline: a record takes some twenty values, most of them a few ASCII bytes.
inline void BufferRecord::metti(int posizione, int larghezza, QLatin1StringView testo,
                                bool maiuscolo)
{
    Q_ASSERT(posizione >= 1 && posizione - 1 + larghezza <= kLunghezzaRecord);
    char* campo = m_dati + posizione - 1;
    // Placed byte by byte while the check for ASCII runs along; the bytes past
    // the field's width are looked at too, as for a text.
    const qsizetype n = std::min<qsizetype>(testo.size(), larghezza);
    const char* const tabella = kByteAscii.testo[maiuscolo ? 1 : 0];
    const auto* const byte = reinterpret_cast<const unsigned char*>(testo.data());
    unsigned o = 0;
    for (qsizetype i = 0; i < n; ++i) {
        o |= byte[i];
        campo[i] = tabella[byte[i] & 0x7F];
    }
    for (qsizetype i = n; i < testo.size(); ++i)
        o |= byte[i];
    if (o >= 0x80)
        mettiLatin1(campo, larghezza, testo, maiuscolo);
}
