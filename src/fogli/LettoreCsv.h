#pragma once

#include "fogli/LettoreFoglio.h"

#include <QByteArray>
#include <QIODevice>
#include <QLatin1StringView>
#include <QString>
#include <vector>

// A CSV line of ASCII bytes cut into its fields, untrimmed: views into the
// reader's buffer, valid until the next read.
struct RigaAscii
{
    int numero = 0; // the line, counted from 1
    std::vector<QLatin1StringView> valori;
};

// Reads the month's operations from a CSV file one line at a time, so a file
// of any length is read with the memory of one line. The bytes are UTF-8 when
// the file says so (byte-order mark) or reads as valid UTF-8 throughout, and
// Windows-1252 otherwise, which is what an Italian Excel writes as "CSV". A
// line of ASCII reads the same either way, so the whole file is looked
// through for its encoding only when a data line holds another byte.
class LettoreCsv final : public LettoreFoglio
{
public:
    // `file` is open for reading and can seek; `nome` names it in messages.
    static Esito<std::unique_ptr<LettoreFoglio>>
    apri(std::unique_ptr<QIODevice> file, const QString& nome, const ImpostazioniCsv& impostazioni);

    Esito<bool> leggi(RigaFoglio& riga) override;
    // The share of the file's bytes read (a block ahead of the lines handed out).
    double quotaLetta() const override;

    // The next data line without a text of its own, when it is a line of
    // ASCII bytes cut by a one-byte separator and holds no quotes, as nearly
    // every line is: then its fields go to `ascii` (Forma::ascii). Any other
    // line is read into `riga` as leggi reads it (Forma::testo).
    enum class Forma
    {
        fine,
        ascii,
        testo
    };
    Esito<Forma> leggiAscii(RigaAscii& ascii, RigaFoglio& riga);
    // The fields of a line `leggiAscii` gave as bytes, as leggi would have read it.
    static void comeTesto(const RigaAscii& ascii, RigaFoglio& riga);

    // Whether the file is read as UTF-8; settles it when no line has yet.
    // An Errore is a file that could not be read.
    Esito<bool> codificaUtf8();

    // A line longer than this is no operation of ours but a damaged or wrong
    // file; refusing it keeps the memory bounded.
    static constexpr qsizetype kLunghezzaMassimaRiga = 1 << 20;

private:
    LettoreCsv(std::unique_ptr<QIODevice> file, const QString& nome,
               const ImpostazioniCsv& impostazioni);
    // The next line's bytes without its ending, a view into the buffer valid
    // until the next call; false at the end of the file.
    Esito<bool> prossimaRiga(QByteArrayView& byte);
    // The same from the first data line on, counting the lines.
    Esito<bool> prossimaRigaDati(QByteArrayView& byte);
    // A data line's fields into `riga`.
    Esito<bool> dividi(QByteArrayView byte, RigaFoglio& riga);
    bool riempi();
    qint64 dimensioneBlocco() const;
    // The fields of an ASCII line split by a one-byte separator.
    Esito<bool> dividiAscii(QByteArrayView byte, RigaFoglio& riga);
    // The same for a line with double quotes, which are dropped.
    Esito<bool> dividiConVirgolette(QByteArrayView byte, RigaFoglio& riga);
    // The row complete when it has all its fields.
    Esito<bool> chiudiRiga(int trovati, RigaFoglio& riga) const;
    Errore erroreLettura() const;

    std::unique_ptr<QIODevice> m_file;
    QString m_nome;
    QString m_separatore;
    int m_colonne = 1;
    std::vector<qsizetype> m_fini; // where each field of a line ends
    int m_separatoreAscii = -1;    // the separator's byte when it is one ASCII character
    int m_primaRigaDati = 1;
    int m_numeroRiga = 0;
    bool m_utf8 = false;
    bool m_codificaNota = false; // m_utf8 settled, by the byte-order mark or a pass
    QByteArray m_buffer;
    qsizetype m_posizione = 0;
    bool m_fineFile = false;
    bool m_erroreLettura = false;
    bool m_crPendente = false; // the last line ended with CR: a LF right after belongs to it
    QString m_testo;           // the current line as text, its buffer kept from line to line
};
