#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <variant>

class QDate;

// A one-sheet Excel workbook (.xlsx) written from scratch: the parts Excel
// and LibreOffice need and nothing else, with fixed time stamps inside the
// zip so the same content always gives the same bytes.
//
// Each column has a kind that sets how its cells look, typed or written:
// text columns keep leading zeros of a document number, date columns show
// dd/mm/yyyy, amount columns show thousands and decimals.
class CartellaXlsx
{
public:
    enum class Tipo
    {
        Testo,
        Data,
        Importo
    };

    struct Colonna
    {
        Tipo tipo = Tipo::Testo;
        double larghezza = 12; // in characters, as Excel counts them
    };

    // A cell: empty, a text, a date (stored as its serial day number) or a number.
    using Valore = std::variant<std::monostate, QString, QDate, double>;

    explicit CartellaXlsx(QString nomeFoglio, QList<Colonna> colonne);

    // Heading rows are bold and stay in view while scrolling.
    void intestazione(const QStringList& testi);
    void riga(const QList<Valore>& valori);

    // The workbook's bytes (a zip package).
    QByteArray contenuto() const;
    bool salva(const QString& percorso) const;

    // Excel's day number of a date (1900 system: 1 March 1900 is 61).
    static int numeroSeriale(const QDate& data);

private:
    QByteArray foglio() const;

    QString m_nome;
    QList<Colonna> m_colonne;
    QList<QByteArray> m_righe; // <row> elements
    int m_intestazioni = 0;
};
