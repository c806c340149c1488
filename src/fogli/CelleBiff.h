#pragma once

#include "base/Esito.h"
#include "fogli/DocumentoComposto.h"

#include <QString>
#include <unordered_map>

// The cells of an .xls worksheet that FreeXL cannot give as Excel shows
// them: formula results (FreeXL leaves formula cells empty, so a surname
// computed by a formula would end the data there), booleans and error values
// (FreeXL gives both as the numbers 0 and 1). They are read here from the
// workbook's own records, for the first worksheet, columns 1-22 from row 3.
struct CellaBiff
{
    enum class Tipo
    {
        Numero,
        Testo,
        Booleano,
        Errore
    };
    Tipo tipo = Tipo::Numero;
    double numero = 0; // Numero; Booleano (0 or 1); Errore (Excel's error code)
    QString testo;     // Testo
    bool formatoData = false;
};

struct CelleBiff
{
    QString primoFoglio; // name of the first worksheet in tab order
    bool sistema1904 = false;
    std::unordered_map<quint32, CellaBiff> celle; // by chiave(row, column), both from 0
    FlussoCartella flusso;                        // the workbook stream, found whole

    static quint32 chiave(quint32 riga, quint32 colonna) { return riga << 8 | colonna; }
};

// Reads the workbook stream of an .xls file (Excel 97-2003 or 5/95) and
// checks its structure: a damaged or encrypted one is an error.
Esito<CelleBiff> leggiCelleBiff(const QByteArray& contenuto);

// Excel's name of an error code of the file format (0x2A -> "#N/A").
QString nomeErroreBiff(int codice);
