#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes small .xlsx packages for the reader tests and the benchmark: the
// parts a workbook needs (package relationships, workbook, styles, shared
// texts, worksheets) around sheet data given as XML, the sheet's part
// written in pieces so a large sheet never sits in memory.
struct OpzioniXlsx
{
    QStringList testiCondivisi; // plain texts, or whole <si> elements when they start with "<si>"
    bool sistema1904 = false;
    bool graficoPrima = false; // a chart sheet before the first worksheet in tab order
    QByteArray altroFoglio;    // sheetData of a second worksheet
    QByteArray stili;          // styles.xml; empty for the default set below
};

class ScriviXlsx
{
public:
    using Opzioni = OpzioniXlsx;

    // Styles of the default styles.xml, by cell style index ("s" attribute).
    enum Stile
    {
        Generale = 0,
        Data14 = 1,
        DataPersonale = 2,
        DataEstesa = 3,
        NumeroTraVirgolette = 4,
        DataOra22 = 5,
        Migliaia = 6,
        OraPersonale = 7
    };

    explicit ScriviXlsx(const QString& percorso, Opzioni opzioni = {});
    ~ScriviXlsx();

    // The worksheet's rows, in as many calls as wanted.
    bool scriviRighe(const QByteArray& xml);
    bool chiudi();

    // Writes a whole workbook in one call.
    static bool crea(const QString& percorso, const QByteArray& righe, Opzioni opzioni = {});

    // Helpers for sheet XML.
    static QByteArray cella(const QByteArray& riferimento, const QByteArray& tipo,
                            const QByteArray& valore, int stile = -1);
    static QByteArray testo(const QByteArray& riferimento, const QString& valore); // inline string
    static QByteArray riga(int numero, const QByteArray& celle);

private:
    bool parte(const char* nome, const QByteArray& contenuto);
    void* m_zip = nullptr;
    bool m_ok = false;
};
