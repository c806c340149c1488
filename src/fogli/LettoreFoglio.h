#pragma once

#include "base/Esito.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

// One row of a sheet as the sheet shows it: each cell's value as text,
// untrimmed, one per column read.
struct RigaFoglio
{
    int numero = 0; // the workbook's row, or the CSV file's line, counted from 1
    std::vector<QString> valori;
};

// What the caller asks of a workbook. The readers know file formats; which
// rows hold data is the caller's business.
struct RegoleFoglio
{
    int colonne = 1;          // read from the first; the others are ignored
    int primaRigaDati = 1;    // rows before it are headings, never read
    int ultimaRiga = 1048576; // rows after it are never read
    // The data end at the first row whose cells in these columns (from 0)
    // are all blank: nothing but spaces.
    std::vector<int> colonneChiave;

    bool fineDati(const RigaFoglio& riga) const;
};

// How the clerk said a CSV file is laid out. Every line from the first data
// line to the end of the file is a row, blank lines included; a line with
// fewer fields than the columns asked for is an error.
struct ImpostazioniCsv
{
    QString separatore = QStringLiteral(";"); // one or more characters
    int primaRigaDati = 1;                    // from 1
    int colonne = 1;
};

class LettoreFoglio
{
public:
    virtual ~LettoreFoglio() = default;
    // The next data row; false once the data end. An Errore (Italian
    // description) is an error of the run: reading stops.
    virtual Esito<bool> leggi(RigaFoglio& riga) = 0;
    // How much of the sheet has been read, from 0 to 1, for a progress bar;
    // negative when the reader cannot tell.
    virtual double quotaLetta() const { return -1; }
};

// An .xls or .xlsx workbook, told apart by the file's content, not its name:
// its first worksheet in tab order.
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioExcel(const QString& percorso,
                                                      const RegoleFoglio& regole);
// The same from bytes in memory; `nome` names them in messages.
Esito<std::unique_ptr<LettoreFoglio>>
apriFoglioExcel(const QByteArray& contenuto, const QString& nome, const RegoleFoglio& regole);

Esito<std::unique_ptr<LettoreFoglio>> apriFoglioCsv(const QString& percorso,
                                                    const ImpostazioniCsv& impostazioni);
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioCsv(const QByteArray& contenuto,
                                                    const QString& nome,
                                                    const ImpostazioniCsv& impostazioni);
