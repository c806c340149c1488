#include "FogliEsempio.h"

#include <QDir>
#include <array>

namespace FogliEsempio {

namespace {

using Tipo = ColonnaXlsx::Tipo;
using Valore = ScriviXlsx::Valore;

struct Campo
{
    const char* codice;
    const char* nome;
    Tipo tipo;
    double larghezza;
};

// Names as the error report calls the fields; the place of birth is named
// for what it holds.
const std::array<Campo, 22> kCampi = {{
    {"B3", "COGNOME", Tipo::Testo, 18},
    {"B4", "NOME", Tipo::Testo, 14},
    {"B5", "SESSO", Tipo::Testo, 7},
    {"B6", "CODICE FISCALE", Tipo::Testo, 19},
    {"B7", "DATA DI NASCITA", Tipo::Data, 16},
    {"B8", "LUOGO DI NASCITA", Tipo::Testo, 18},
    {"B9", "PROVINCIA DI NASCITA", Tipo::Testo, 21},
    {"B10", "PAESE DI RESIDENZA", Tipo::Testo, 19},
    {"B11", "SIGLA PAESE DI RESIDENZA", Tipo::Testo, 25},
    {"B12", "TIPO DOCUMENTO", Tipo::Testo, 15},
    {"B13", "NUMERO DOCUMENTO", Tipo::Testo, 18},
    {"B14", "DATA DI SCADENZA DOCUMENTO", Tipo::Data, 27},
    {"B15", "AUTORITA RILASCIO DOCUMENTO", Tipo::Testo, 28},
    {"B16", "LUOGO DI RILASCIO DOCUMENTO", Tipo::Testo, 28},
    {"B17", "DATA OPERAZIONE", Tipo::Data, 16},
    {"B18", "LUOGO OPERAZIONE", Tipo::Testo, 17},
    {"B19", "TIPO OPERAZIONE", Tipo::Testo, 16},
    {"B20", "DIVISA ESTERA", Tipo::Testo, 14},
    {"B21", "PRIMO IMPORTO", Tipo::Importo, 15},
    {"B22", "SECONDO IMPORTO", Tipo::Importo, 16},
    {"B23", "TERZO IMPORTO", Tipo::Importo, 15},
    {"B24", "IDENTIFICATIVO TRANSAZIONE", Tipo::Testo, 27},
}};

// A customer of the example month.
struct Cliente
{
    const char* cognome;
    const char* nome;
    char sesso;
    QDate nascita;
    const char* luogoNascita;
    const char* provincia;     // "EE" for a person born abroad
    const char* belfiore;      // empty: no Italian codice fiscale
    const char* paese;         // country of residence
    const char* siglaPaese;    // its ISO 3166 alpha-3 code
    const char* tipoDocumento; // CI identity card, PS passport, PA driving licence
    const char* numeroDocumento;
    QDate scadenza;
    const char* autorita;
    const char* luogoRilascio;
};

const std::array<Cliente, 20> kClienti = {{
    {"ROSSI", "MARIO", 'M', QDate(1968, 3, 14), "ROMA", "RM", "H501", "ITALIA", "ITA", "CI",
     "CA48213QR", QDate(2031, 3, 14), "COMUNE DI ROMA", "ROMA"},
    {"BIANCHI", "GIULIA", 'F', QDate(1985, 7, 2), "MILANO", "MI", "F205", "ITALIA", "ITA", "CI",
     "CA77120LM", QDate(2029, 7, 2), "COMUNE DI MILANO", "MILANO"},
    {"ESPOSITO", "SALVATORE", 'M', QDate(1959, 11, 30), "NAPOLI", "NA", "F839", "ITALIA", "ITA",
     "PA", "NA5128344K", QDate(2028, 11, 30), "MOTORIZZAZIONE", "NAPOLI"},
    {"COLOMBO", "FRANCESCA", 'F', QDate(1992, 1, 21), "COMO", "CO", "C933", "ITALIA", "ITA", "PS",
     "YA1234567", QDate(2030, 5, 9), "QUESTURA DI COMO", "COMO"},
    {"RICCI", "ANDREA", 'M', QDate(1977, 9, 5), "BOLOGNA", "BO", "A944", "ITALIA", "ITA", "CI",
     "CB30911XT", QDate(2027, 9, 5), "COMUNE DI BOLOGNA", "BOLOGNA"},
    {"MARINO", "ELENA", 'F', QDate(1981, 4, 18), "PALERMO", "PA", "G273", "ITALIA", "ITA", "CI",
     "CA90345DF", QDate(2032, 4, 18), "COMUNE DI PALERMO", "PALERMO"},
    {"GRECO", "LUCA", 'M', QDate(1995, 12, 1), "BARI", "BA", "A662", "ITALIA", "ITA", "CI",
     "CB11870GH", QDate(2033, 12, 1), "COMUNE DI BARI", "BARI"},
    {"BRUNO", "CHIARA", 'F', QDate(1964, 6, 27), "TORINO", "TO", "L219", "ITALIA", "ITA", "PS",
     "YB7654321", QDate(2029, 2, 11), "QUESTURA DI TORINO", "TORINO"},
    {"GALLO", "PAOLO", 'M', QDate(1971, 2, 8), "GENOVA", "GE", "D969", "ITALIA", "ITA", "CI",
     "CA55021JK", QDate(2028, 2, 8), "COMUNE DI GENOVA", "GENOVA"},
    {"CONTI", "SARA", 'F', QDate(1988, 10, 12), "FIRENZE", "FI", "D612", "ITALIA", "ITA", "CI",
     "CB66432PL", QDate(2030, 10, 12), "COMUNE DI FIRENZE", "FIRENZE"},
    {"DE LUCA", "GIOVANNI", 'M', QDate(1953, 8, 23), "VENEZIA", "VE", "L736", "ITALIA", "ITA", "CI",
     "CA20987WE", QDate(2031, 8, 23), "COMUNE DI VENEZIA", "VENEZIA"},
    {"COSTA", "ANNA", 'F', QDate(1999, 5, 3), "VERONA", "VR", "L781", "ITALIA", "ITA", "PA",
     "VR5512093N", QDate(2034, 5, 3), "MOTORIZZAZIONE", "VERONA"},
    {"FONTANA", "MARCO", 'M', QDate(1983, 1, 29), "PADOVA", "PD", "G224", "ITALIA", "ITA", "CI",
     "CB44110RT", QDate(2027, 1, 29), "COMUNE DI PADOVA", "PADOVA"},
    {"CARUSO", "ROSA", 'F', QDate(1975, 3, 9), "RIMINI", "RN", "H294", "ITALIA", "ITA", "CI",
     "CA31457YU", QDate(2029, 3, 9), "COMUNE DI RIMINI", "RIMINI"},
    {"MORETTI", "DAVIDE", 'M', QDate(1990, 7, 16), "ROMA", "RM", "H501", "ITALIA", "ITA", "PS",
     "YC2468013", QDate(2032, 9, 30), "QUESTURA DI ROMA", "ROMA"},
    {"SMITH", "JOHN", 'M', QDate(1972, 4, 4), "NEW YORK", "EE", "", "STATI UNITI", "USA", "PS",
     "548812734", QDate(2030, 4, 3), "US DEPARTMENT OF STATE", "WASHINGTON"},
    {"BROWN", "EMILY", 'F', QDate(1986, 9, 19), "LONDRA", "EE", "", "REGNO UNITO", "GBR", "PS",
     "123456789", QDate(2031, 9, 18), "HM PASSPORT OFFICE", "LONDRA"},
    {"MULLER", "THOMAS", 'M', QDate(1965, 12, 24), "MONACO DI BAVIERA", "EE", "", "GERMANIA", "DEU",
     "PS", "C01X00T47", QDate(2029, 12, 23), "STADT MUENCHEN", "MONACO DI BAVIERA"},
    {"DUBOIS", "CLAIRE", 'F', QDate(1979, 6, 11), "LIONE", "EE", "", "FRANCIA", "FRA", "PS",
     "19AB23456", QDate(2028, 6, 10), "PREFECTURE DU RHONE", "LIONE"},
    {"KELLER", "LUKAS", 'M', QDate(1993, 2, 2), "ZURIGO", "EE", "", "SVIZZERA", "CHE", "PS",
     "X1234567", QDate(2033, 2, 1), "STADT ZUERICH", "ZURIGO"},
}};

// One operation of the month: who, when, buying ("A", the agency buys the
// foreign currency) or selling ("V"), which currency and the amounts.
struct Operazione
{
    int cliente;
    int giorno;
    char tipo;
    const char* divisa;
    double importoDivisa;
    double controvaloreEuro;
    double commissione;
};

const std::array<Operazione, 24> kOperazioni = {{
    {0, 2, 'V', "USD", 1000, 948, 12},    {15, 2, 'A', "USD", 500, 462, 8},
    {16, 3, 'A', "GBP", 300, 342, 7},     {1, 4, 'V', "GBP", 400, 462, 9},
    {2, 5, 'V', "CHF", 600, 640, 10},     {17, 6, 'A', "CHF", 250, 262, 6},
    {3, 9, 'V', "JPY", 150000, 925, 14},  {4, 10, 'V', "USD", 2000, 1890, 20},
    {18, 11, 'A', "USD", 700, 648, 9},    {5, 12, 'V', "GBP", 250, 289, 6},
    {6, 13, 'V', "USD", 350, 333, 6},     {19, 13, 'A', "CHF", 1000, 1048, 12},
    {7, 16, 'V', "CHF", 800, 853, 11},    {8, 17, 'V', "CNY", 5000, 652, 10},
    {9, 18, 'V', "USD", 1200, 1136, 14},  {15, 19, 'A', "USD", 300, 277, 6},
    {10, 20, 'V', "GBP", 1500, 1732, 18}, {11, 23, 'V', "USD", 450, 427, 7},
    {12, 24, 'V', "JPY", 80000, 494, 9},  {16, 25, 'A', "GBP", 200, 228, 5},
    {13, 26, 'V', "CHF", 300, 320, 6},    {14, 27, 'V', "USD", 900, 851, 11},
    {0, 30, 'V', "GBP", 500, 577, 9},     {17, 30, 'A', "CHF", 400, 419, 7},
}};

const QDate kMese(2026, 11, 1);
const char* const kLuogoOperazione = "ROMA";

QList<Valore> riga(const Operazione& op, int progressivo)
{
    const Cliente& c = kClienti[static_cast<size_t>(op.cliente)];
    const QString cf =
        QString::fromLatin1(c.belfiore).isEmpty()
            ? QString()
            : CodiceFiscale(QString::fromLatin1(c.cognome), QString::fromLatin1(c.nome),
                            QLatin1Char(c.sesso), c.nascita, QString::fromLatin1(c.belfiore));
    auto t = [](const char* s) { return Valore(QString::fromLatin1(s)); };
    return {t(c.cognome),
            t(c.nome),
            Valore(QString(QLatin1Char(c.sesso))),
            cf.isEmpty() ? Valore() : Valore(cf),
            Valore(c.nascita),
            t(c.luogoNascita),
            t(c.provincia),
            t(c.paese),
            t(c.siglaPaese),
            t(c.tipoDocumento),
            t(c.numeroDocumento),
            Valore(c.scadenza),
            t(c.autorita),
            t(c.luogoRilascio),
            Valore(QDate(kMese.year(), kMese.month(), op.giorno)),
            t(kLuogoOperazione),
            Valore(QString(QLatin1Char(op.tipo))),
            t(op.divisa),
            Valore(op.importoDivisa),
            Valore(op.controvaloreEuro),
            Valore(op.commissione),
            Valore(QStringLiteral("%1%2%3")
                       .arg(kMese.year())
                       .arg(kMese.month(), 2, 10, QLatin1Char('0'))
                       .arg(progressivo, 4, 10, QLatin1Char('0')))};
}

// Consonants, then vowels, of a name in the order they come.
void lettere(const QString& testo, QString& consonanti, QString& vocali)
{
    for (QChar c : testo.toUpper()) {
        if (c < QLatin1Char('A') || c > QLatin1Char('Z'))
            continue;
        (QStringLiteral("AEIOU").contains(c) ? vocali : consonanti).append(c);
    }
}

QString treLettere(const QString& consonanti, const QString& vocali)
{
    return (consonanti + vocali + QStringLiteral("XXX")).left(3);
}

} // namespace

QList<ColonnaXlsx> Colonne()
{
    QList<ColonnaXlsx> colonne;
    for (const Campo& c : kCampi)
        colonne.append({c.tipo, c.larghezza});
    return colonne;
}

QStringList CodiciCampo()
{
    QStringList codici;
    for (const Campo& c : kCampi)
        codici.append(QString::fromLatin1(c.codice));
    return codici;
}

QStringList NomiCampo()
{
    QStringList nomi;
    for (const Campo& c : kCampi)
        nomi.append(QString::fromLatin1(c.nome));
    return nomi;
}

QString CodiceFiscale(const QString& cognome, const QString& nome, QChar sesso,
                      const QDate& nascita, const QString& belfiore)
{
    QString consonanti;
    QString vocali;
    lettere(cognome, consonanti, vocali);
    QString codice = treLettere(consonanti, vocali);

    consonanti.clear();
    vocali.clear();
    lettere(nome, consonanti, vocali);
    // A first name with four consonants or more gives up its second one.
    if (consonanti.size() >= 4)
        consonanti = QString(consonanti[0]) + consonanti[2] + consonanti[3];
    codice += treLettere(consonanti, vocali);

    static const QString kMesi = QStringLiteral("ABCDEHLMPRST");
    codice += QStringLiteral("%1").arg(nascita.year() % 100, 2, 10, QLatin1Char('0'));
    codice += kMesi[nascita.month() - 1];
    // Women's day of birth is raised by 40.
    const int giorno = nascita.day() + (sesso == QLatin1Char('F') ? 40 : 0);
    codice += QStringLiteral("%1").arg(giorno, 2, 10, QLatin1Char('0'));
    codice += belfiore.toUpper();

    // Check letter: characters at odd positions (1st, 3rd...) count by the
    // published odd table, those at even positions by their plain value.
    static const std::array<int, 26> kDispari = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                                 20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};
    int somma = 0;
    for (int i = 0; i < 15; ++i) {
        const QChar c = codice[i];
        const int valore = c.isDigit() ? c.digitValue() : c.unicode() - u'A';
        somma += (i % 2 == 0) ? kDispari[static_cast<size_t>(valore)] : valore;
    }
    return codice + QChar(u'A' + somma % 26);
}

Righe FoglioBase()
{
    return {};
}

Righe EsempioMese()
{
    Righe righe;
    for (size_t i = 0; i < kOperazioni.size(); ++i)
        righe.append(riga(kOperazioni[i], static_cast<int>(i) + 1));
    return righe;
}

Righe EsempioErrori()
{
    Righe righe;
    for (size_t i = 0; i < kOperazioni.size(); ++i) {
        QList<Valore> valori = riga(kOperazioni[i], static_cast<int>(i) + 1);
        switch (i) {
        case 1: // the first name left out
            valori[1] = Valore();
            break;
        case 3: { // the codice fiscale copied with a wrong last letter
            QString cf = std::get<QString>(valori[3]);
            cf[15] = cf[15] == QLatin1Char('X') ? QLatin1Char('Y') : QLatin1Char('X');
            valori[3] = cf;
            break;
        }
        case 6: // a date typed as text that does not exist: April has 30 days
            valori[4] = Valore(QStringLiteral("31/04/1995"));
            break;
        case 9: // the country written in place of its code
            valori[8] = Valore(QStringLiteral("UK"));
            break;
        case 12: // the document number forgotten
            valori[10] = Valore();
            break;
        case 15: // a currency code that does not exist (the dollar is USD)
            valori[17] = Valore(QStringLiteral("USS"));
            break;
        default:
            break;
        }
        righe.append(valori);
    }
    return righe;
}

bool Scrivi(const QString& percorso, const Righe& righe)
{
    OpzioniXlsx opzioni;
    opzioni.colonne = Colonne();
    opzioni.righeBloccate = 2;
    ScriviXlsx scrittore(percorso, opzioni);
    QByteArray xml =
        ScriviXlsx::intestazione(1, CodiciCampo()) + ScriviXlsx::intestazione(2, NomiCampo());
    for (int i = 0; i < righe.size(); ++i)
        xml += ScriviXlsx::valori(i + 3, righe[i], opzioni.colonne);
    return scrittore.scriviRighe(xml) && scrittore.chiudi();
}

bool ScriviTutti(const QString& cartella)
{
    const QDir dir(cartella);
    return Scrivi(dir.filePath(QString::fromLatin1(kBase)), FoglioBase()) &&
           Scrivi(dir.filePath(QString::fromLatin1(kEsempio)), EsempioMese()) &&
           Scrivi(dir.filePath(QString::fromLatin1(kErrori)), EsempioErrori());
}

} // namespace FogliEsempio
