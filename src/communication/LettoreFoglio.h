// src/communication/LettoreFoglio.h
#pragma once
#include "common/Esito.h"

#include <QString>
#include <array>
#include <memory>
constexpr int kColonneFoglio = 22;
struct RigaFoglio
{
    int numero = 0; // sheet row (data from 3) or CSV line counted from 1, headings included
    std::array<QString, kColonneFoglio> valori; // as the sheet shows them, untrimmed
};
class LettoreFoglio
{
public:
    virtual ~LettoreFoglio() = default;
    // The next data row; false once the data end (stop rules applied).
    // An Errore (Italian description) is an error of the run: reading stops.
    virtual Esito<bool> leggi(RigaFoglio& riga) = 0;
};
// .xls or .xlsx, told apart by the file's content (not its name).
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioExcel(const QString& percorso);
// A CSV file with the chosen separator (one or more characters) and first data line (from 1).
Esito<std::unique_ptr<LettoreFoglio>> apriFoglioCsv(const QString& percorso,
                                                    const QString& separatore, int primaRigaDati);
