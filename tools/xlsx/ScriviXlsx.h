#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <variant>

// Writes .xlsx workbooks: the workbooks shipped in Help, and the sheets of the
// reader tests and the benchmarks. The parts Excel and LibreOffice need stand
// around one worksheet whose rows come as sheet XML in as many pieces as
// wanted, so a large sheet never sits in memory. The zip's time stamps are
// fixed, so the same content always gives the same bytes.

// A column of the worksheet. Its kind sets how its cells look, typed or
// written: text columns keep the leading zeros of a document number, date
// columns show dd/mm/yyyy, amount columns show thousands and decimals.
struct ColonnaXlsx
{
    enum class Tipo
    {
        Testo,
        Data,
        Importo
    };
    Tipo tipo = Tipo::Testo;
    double larghezza = 12; // in characters, as Excel counts them
};

struct OpzioniXlsx
{
    QString nomeFoglio = QStringLiteral("Operazioni");
    // With columns the styles are those of their kinds (see ScriviXlsx::valori);
    // without, the date and number formats of ScriviXlsx::Stile.
    QList<ColonnaXlsx> colonne;
    int righeBloccate = 0;      // heading rows that stay in view while scrolling
    QStringList testiCondivisi; // plain texts, or whole <si> elements when they start with "<si>"
    bool sistema1904 = false;
    bool graficoPrima = false; // a chart sheet before the first worksheet in tab order
    // sheetData of a second worksheet. It is stored as sheet1.xml and the first
    // worksheet as sheet2.xml, named by an absolute path, so a reader that goes
    // by part name instead of tab order reads the wrong one.
    QByteArray altroFoglio;
    QByteArray stili; // styles.xml in place of the built-in one
    // Hundreds of thousands of rows: the worksheet is deflated at the fastest
    // level, into a zip64 entry.
    bool grande = false;
    // The used range the worksheet states before its rows ("A1:V500002"), as
    // Excel writes it; none when empty.
    QByteArray dimensione;
};

class ScriviXlsx
{
public:
    using Opzioni = OpzioniXlsx;
    using Colonna = ColonnaXlsx;
    // A typed cell: empty, a text, a date (stored as its serial day number) or a number.
    using Valore = std::variant<std::monostate, QString, QDate, double>;

    // Cell styles ("s" attribute) of a worksheet without columns: formats a
    // reader must tell apart.
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
    ScriviXlsx(const ScriviXlsx&) = delete;
    ScriviXlsx& operator=(const ScriviXlsx&) = delete;

    // The worksheet's rows, in as many calls as wanted.
    bool scriviRighe(const QByteArray& xml);
    // Ends the workbook and puts it in place; a workbook never closed, or one
    // that failed, leaves no file.
    bool chiudi();

    // Writes a whole workbook in one call.
    static bool crea(const QString& percorso, const QByteArray& righe, Opzioni opzioni = {});

    // Sheet XML.
    static QByteArray cella(const QByteArray& riferimento, const QByteArray& tipo,
                            const QByteArray& valore, int stile = -1);
    static QByteArray testo(const QByteArray& riferimento, const QString& valore,
                            int stile = -1); // an inline string
    static QByteArray riga(int numero, const QByteArray& celle);
    // Rows of a worksheet with columns: a heading row, bold on a coloured
    // fill, and a row of values styled by their columns' kinds.
    static QByteArray intestazione(int numero, const QStringList& testi);
    static QByteArray valori(int numero, const QList<Valore>& valori,
                             const QList<Colonna>& colonne);

    // A1-style letters of a column counted from 0: "A", ..., "Z", "AA".
    static QByteArray lettere(int colonna);
    // Excel's day number of a date (1900 system: 1 March 1900 is 61).
    static int numeroSeriale(const QDate& data);

private:
    struct Pacchetto;
    std::unique_ptr<Pacchetto> m_pacchetto;
    bool m_ok = false;
};
