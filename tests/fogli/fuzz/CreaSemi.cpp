// Writes the seed corpora of the reader fuzzers into the folder given:
// xlsx/ small valid workbooks that reach the shared texts, styles, dates,
// inline texts, formulas and error values; csv/ small CSV files, each
// preceded by the two bytes that fuzz_csv reads as its settings; xml/ small
// worksheets for fuzz_xml, preceded by the byte of its block size.
#include "xlsx/ScriviXlsx.h"

#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

bool scriviFile(const QString& percorso, const QByteArray& contenuto)
{
    QFile file(percorso);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(contenuto) == contenuto.size();
}

QByteArray intestazioni()
{
    return ScriviXlsx::riga(1, ScriviXlsx::testo("A1", QStringLiteral("Cognome")) +
                                   ScriviXlsx::testo("B1", QStringLiteral("Nome"))) +
           ScriviXlsx::riga(2, ScriviXlsx::testo("A2", QStringLiteral("(obbligatorio)")));
}

bool creaXlsx(const QDir& cartella)
{
    using S = ScriviXlsx;
    OpzioniXlsx condivisi;
    condivisi.testiCondivisi = {
        QStringLiteral("Rossi"), QStringLiteral("Mario"),
        QStringLiteral("<si><r><t>Bian</t></r><r><rPr><b/></rPr><t>chi</t></r></si>"),
        QStringLiteral("Città d'Ìtalia €")};
    const QByteArray righeCondivise =
        intestazioni() +
        S::riga(3, S::cella("A3", "s", "0") + S::cella("B3", "s", "1") +
                       S::cella("C3", "n", "45292", S::Data14) +
                       S::cella("D3", "n", "1500.75", S::Migliaia) + S::cella("V3", "s", "3")) +
        S::riga(4, S::cella("A4", "s", "2") + S::cella("B4", "s", "1") +
                       S::cella("C4", "n", "45292.5", S::DataOra22) +
                       S::cella("E4", "n", "0.25", S::OraPersonale) +
                       S::cella("F4", "n", "12", S::NumeroTraVirgolette));

    OpzioniXlsx data1904;
    data1904.sistema1904 = true;
    data1904.graficoPrima = true;
    data1904.altroFoglio = S::riga(3, S::testo("A3", QStringLiteral("Altro")));
    const QByteArray righeDate =
        intestazioni() +
        S::riga(3, S::testo("A3", QStringLiteral("Verdi")) +
                       S::testo("B3", QStringLiteral("Anna")) +
                       S::cella("C3", "n", "1", S::DataPersonale) +
                       S::cella("D3", "n", "-3", S::DataEstesa) + S::cella("G3", "b", "1") +
                       S::cella("H3", "str", "Risultato"));

    const QByteArray righeErrore =
        intestazioni() +
        S::riga(3, S::testo("A3", QStringLiteral("Neri")) + S::testo("B3", QStringLiteral("Luca")) +
                       "<c r=\"C3\"><f>1/0</f><v>7</v></c>" + S::cella("D3", "e", "#DIV/0!")) +
        S::riga(5, S::testo("B5", QStringLiteral("Solo nome")));

    return S::crea(cartella.filePath(QStringLiteral("condivisi.xlsx")), righeCondivise,
                   condivisi) &&
           S::crea(cartella.filePath(QStringLiteral("date1904.xlsx")), righeDate, data1904) &&
           S::crea(cartella.filePath(QStringLiteral("errore.xlsx")), righeErrore) &&
           S::crea(cartella.filePath(QStringLiteral("vuoto.xlsx")), QByteArray());
}

bool creaCsv(const QDir& cartella)
{
    // First byte: separator (0 ";", 1 ",", 2 tab...); second: first data line - 1.
    const QByteArray semi[] = {
        QByteArray("\x00\x01", 2) + "Cognome;Nome;Data\r\nRossi;Mario;01/01/"
                                    "2024\r\n\"Bian;chi\";\"Anna \"\"A\"\"\";1500,75\r\n",
        QByteArray("\x01\x00", 2) + "\xEF\xBB\xBFVerdi,Lucà,€ 3\nNeri,\"su\ndue righe\",x\n",
        QByteArray("\x02\x02", 2) + "a\tb\rc\td\r\n\r\nCittà\t\x80\xE0\t\x81\n",
        QByteArray("\x04\x00", 2) + "uno;;due;;;tre\n;;\n",
    };
    int n = 0;
    for (const QByteArray& seme : semi)
        if (!scriviFile(cartella.filePath(QStringLiteral("seme%1.csv").arg(++n)), seme))
            return false;
    return true;
}

} // namespace

bool creaXml(const QDir& cartella)
{
    // First byte: the block size - 1 the scanner is fed in.
    const QByteArray semi[] = {
        QByteArray("\x07", 1) +
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n"
            "<worksheet xmlns=\"urn:s\"><sheetData><row r=\"3\" spans=\"1:22\">"
            "<c r=\"A3\" s=\"0\" t=\"s\"><v>2</v></c><c r=\"B3\" t=\"inlineStr\"><is><t "
            "xml:space=\"preserve\">D&apos;Amico &#233;</t></is></c><c r=\"C3\"/>"
            "<!-- nota --><c r=\"D3\" t=\"str\"><f>A1</f><v><![CDATA[<x>]]></v></c></row>"
            "</sheetData></worksheet>",
        QByteArray("\x00", 1) + "\xEF\xBB\xBF<a b='x&#10;y'>\xC3\xA8<b/>t\r\nu</a>",
    };
    int i = 0;
    for (const QByteArray& seme : semi)
        if (!scriviFile(cartella.filePath(QStringLiteral("seme%1.xml").arg(++i)), seme))
            return false;
    return true;
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: crea_semi CARTELLA\n");
        return 2;
    }
    const QDir radice(QString::fromLocal8Bit(argv[1]));
    if (!radice.mkpath(QStringLiteral("xlsx")) || !radice.mkpath(QStringLiteral("csv")) ||
        !radice.mkpath(QStringLiteral("xml")) ||
        !creaXlsx(QDir(radice.filePath(QStringLiteral("xlsx")))) ||
        !creaCsv(QDir(radice.filePath(QStringLiteral("csv")))) ||
        !creaXml(QDir(radice.filePath(QStringLiteral("xml"))))) {
        std::fprintf(stderr, "crea_semi: impossibile scrivere in %s\n", argv[1]);
        return 1;
    }
    return 0;
}
