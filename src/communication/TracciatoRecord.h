#pragma once

#include "communication/FoglioOperazioni.h"

#include <QStringView>
#include <algorithm>
#include <initializer_list>
#include <span>
#include <string_view>

struct DatiAgenzia;

// The layout of the monthly communication. OAM reads the file by position:
// every record is one line of kLunghezzaRecord characters (Windows-1252, one
// byte each) followed by CR LF, the last one included. "A" is the header
// (agency and period), "B" one exchange operation, "Z" the trailer with the
// count of B records. The tables below are the whole layout: the records are
// written by walking them (RecordComunicazione.cpp), and the checks at the
// end of this file make a table that leaves a gap or overlaps fail to build.

constexpr int kLunghezzaRecord = 448;
inline constexpr char kFineRecord[] = "\r\n";

namespace Tracciato {

// How a value is written into its field.
enum class Genere : quint8
{
    alfanumerico, // from the left, blanks after it, cut to the field
    numerico,     // the whole part (the text before the comma) right-aligned with zeros
                  // before it; a value that does not fit is an error
    data,         // ddmmyyyy: the date without blanks around it and without its "/"
};

// The agency's values of the header record, as DatiAgenzia holds them.
enum class DatoAgenzia : quint8
{
    anno,
    mese,
    tipoInvio,
    codice, // OCF, or OPIVA when OCF is blank
    cognome,
    nome,
    sesso,
    dataNascita,
    comuneNascita,
    provinciaNascita,
    cittadinanza, // "01=ITALIANA": the field keeps the two-digit code
    comuneDomicilio,
    provinciaDomicilio,
    ragioneSociale,
    comuneSede,
    provinciaSede,
};

// Where a field's value comes from.
struct Fonte
{
    enum class Tipo : quint8
    {
        spazi,         // nothing: the field stays blank
        costante,      // `testo`, as long as the field
        colonna,       // the sheet column `colonna` (0 the first), upper-cased
        progressivo,   // the number of the B record in the file, from 1
        numeroRecordB, // how many B records the file holds
        agenzia,       // the agency's `dato`, as the agency holds it
    };
    // Only the fields of the agency's own kind are written; the others stay blank.
    enum class PerAgenzia : quint8
    {
        ogni,
        personaFisica, // PF
        societa,       // PNF
    };

    Tipo tipo = Tipo::spazi;
    const char* testo = "";
    int colonna = 0;
    DatoAgenzia dato = DatoAgenzia::anno;
    PerAgenzia per = PerAgenzia::ogni;
};

inline constexpr Fonte spazi{};
inline constexpr Fonte progressivo{Fonte::Tipo::progressivo};
inline constexpr Fonte numeroRecordB{Fonte::Tipo::numeroRecordB};

constexpr Fonte costante(const char* testo)
{
    return Fonte{Fonte::Tipo::costante, testo};
}

// Column `n` of the sheet, counted from 1 as the clerk sees it.
constexpr Fonte colonna(int n)
{
    return Fonte{Fonte::Tipo::colonna, "", n - 1};
}

constexpr Fonte agenzia(DatoAgenzia dato, Fonte::PerAgenzia per = Fonte::PerAgenzia::ogni)
{
    return Fonte{Fonte::Tipo::agenzia, "", 0, dato, per};
}

constexpr Fonte personaFisica(DatoAgenzia dato)
{
    return agenzia(dato, Fonte::PerAgenzia::personaFisica);
}

constexpr Fonte societa(DatoAgenzia dato)
{
    return agenzia(dato, Fonte::PerAgenzia::societa);
}

// The agency's value for `dato`, empty when the field is not of the agency's
// kind. It points into `agenzia`.
QStringView valore(const DatiAgenzia& agenzia, DatoAgenzia dato, Fonte::PerAgenzia per);

struct Campo
{
    const char* nome; // how an error about the field names it
    int posizione;    // of its first character, counted from 1
    int lunghezza;
    Genere genere;
    Fonte fonte;
};

using enum Genere;
using enum DatoAgenzia;

// clang-format off

// The header: the agency and the period, once at the start of the file.
inline constexpr Campo kRecordA[] = {
    // name                   pos  len  kind           source
    {"tipo record",             1,   1, alfanumerico, costante("A")},
    {"comunicazione",           2,   5, alfanumerico, costante("OPMEN")},
    {"anno",                    7,   4, alfanumerico, agenzia(anno)},
    {"mese",                   11,   2, alfanumerico, agenzia(mese)}, // "9" goes out as "9 "
    {"tipo invio",             13,   1, alfanumerico, agenzia(tipoInvio)},
    {"spazi",                  14,  70, alfanumerico, spazi},
    {"codice fiscale",         84,  16, alfanumerico, agenzia(codice)},
    {"cognome",               100,  30, alfanumerico, personaFisica(cognome)},
    {"nome",                  130,  30, alfanumerico, personaFisica(nome)},
    {"sesso",                 160,   1, alfanumerico, personaFisica(sesso)},
    {"data di nascita",       161,   8, data,         personaFisica(dataNascita)},
    {"comune di nascita",     169,  40, alfanumerico, personaFisica(comuneNascita)},
    {"provincia di nascita",  209,   2, alfanumerico, personaFisica(provinciaNascita)},
    {"cittadinanza",          211,   2, alfanumerico, personaFisica(cittadinanza)},
    {"comune di domicilio",   213,  40, alfanumerico, personaFisica(comuneDomicilio)},
    {"provincia di domicilio",253,   2, alfanumerico, personaFisica(provinciaDomicilio)},
    {"ragione sociale",       255,  70, alfanumerico, societa(ragioneSociale)},
    {"comune della sede",     325,  40, alfanumerico, societa(comuneSede)},
    {"provincia della sede",  365,   2, alfanumerico, societa(provinciaSede)},
    {"spazi",                 367,  42, alfanumerico, spazi},
    {"valore fisso",          409,   1, alfanumerico, costante("1")},
    {"spazi",                 410,  38, alfanumerico, spazi},
    {"chiusura",              448,   1, alfanumerico, costante("A")},
};

// One exchange operation: its number, then the sheet's 22 columns in their
// order, column k as field B(k+2).
inline constexpr Campo kRecordB[] = {
    // name        pos  len  kind           source
    {"campo B1",     1,   1, alfanumerico, costante("B")},
    {"campo B2",     2,  10, numerico,     progressivo},
    {"campo B3",    12,  30, alfanumerico, colonna(1)},  // surname
    {"campo B4",    42,  30, alfanumerico, colonna(2)},  // first name
    {"campo B5",    72,   1, alfanumerico, colonna(3)},  // sex
    {"campo B6",    73,  16, alfanumerico, colonna(4)},  // codice fiscale
    {"campo B7",    89,   8, data,         colonna(5)},  // date of birth
    {"campo B8",    97,  40, alfanumerico, colonna(6)},  // place of birth
    {"campo B9",   137,   2, alfanumerico, colonna(7)},  // province of birth
    {"campo B10",  139,  40, alfanumerico, colonna(8)},  // country of residence
    {"campo B11",  179,   3, alfanumerico, colonna(9)},  // its code (CTAB "PAESI")
    {"campo B12",  182,   2, alfanumerico, colonna(10)}, // kind of identity document
    {"campo B13",  184,  20, alfanumerico, colonna(11)}, // document number
    {"campo B14",  204,   8, data,         colonna(12)}, // document expiry
    {"campo B15",  212,  40, alfanumerico, colonna(13)}, // issuing authority
    {"campo B16",  252,  40, alfanumerico, colonna(14)}, // place of issue
    {"campo B17",  292,   8, data,         colonna(15)}, // date of the operation
    {"campo B18",  300,  40, alfanumerico, colonna(16)}, // place of the operation
    {"campo B19",  340,   1, alfanumerico, colonna(17)}, // kind of operation
    {"campo B20",  341,   3, alfanumerico, colonna(18)}, // foreign currency (CTAB "DIV")
    {"campo B21",  344,  14, numerico,     colonna(19)}, // first amount
    {"campo B22",  358,  14, numerico,     colonna(20)}, // second amount
    {"campo B23",  372,  14, numerico,     colonna(21)}, // third amount
    {"campo B24",  386,  10, alfanumerico, colonna(22)}, // identifier of the transaction
    {"spazi",      396,  52, alfanumerico, spazi},
    {"chiusura",   448,   1, alfanumerico, costante("*")},
};

// The trailer, once at the end of the file.
inline constexpr Campo kRecordZ[] = {
    // name                  pos  len  kind           source
    {"tipo record",            1,   1, alfanumerico, costante("Z")},
    {"spazi",                  2, 200, alfanumerico, spazi},
    {"numero dei record B",  202,  11, numerico,     numeroRecordB},
    {"spazi",                213, 235, alfanumerico, spazi},
    {"chiusura",             448,   1, alfanumerico, costante("Z")},
};

// clang-format on

// The checks of the tables, run by the compiler.

// Fields in order, each starting where the one before ends, from position 1
// to the last; a constant as long as its field; the B record's number and
// the count of B records as numbers; and only the sources the record's
// writer is given.
constexpr bool copreIlRecord(std::span<const Campo> campi,
                             std::initializer_list<Fonte::Tipo> fontiAmmesse)
{
    int prossima = 1;
    for (const Campo& c : campi) {
        const Fonte::Tipo tipo = c.fonte.tipo;
        if (c.posizione != prossima || c.lunghezza < 1 || std::string_view(c.nome).empty())
            return false;
        if (tipo == Fonte::Tipo::costante &&
            std::string_view(c.fonte.testo).size() != static_cast<size_t>(c.lunghezza))
            return false;
        if ((tipo == Fonte::Tipo::progressivo || tipo == Fonte::Tipo::numeroRecordB) &&
            c.genere != Genere::numerico)
            return false;
        if (tipo != Fonte::Tipo::spazi && tipo != Fonte::Tipo::costante &&
            std::find(fontiAmmesse.begin(), fontiAmmesse.end(), tipo) == fontiAmmesse.end())
            return false;
        prossima += c.lunghezza;
    }
    return prossima == kLunghezzaRecord + 1;
}

// Every sheet column in exactly one field.
constexpr bool ogniColonnaUnaVolta(std::span<const Campo> campi)
{
    for (int k = 0; k < kColonneFoglio; ++k) {
        int volte = 0;
        for (const Campo& c : campi)
            volte += c.fonte.tipo == Fonte::Tipo::colonna && c.fonte.colonna == k;
        if (volte != 1)
            return false;
    }
    for (const Campo& c : campi) {
        if (c.fonte.tipo == Fonte::Tipo::colonna &&
            (c.fonte.colonna < 0 || c.fonte.colonna >= kColonneFoglio))
            return false;
    }
    return true;
}

static_assert(copreIlRecord(kRecordA, {Fonte::Tipo::agenzia}));
static_assert(copreIlRecord(kRecordB, {Fonte::Tipo::progressivo, Fonte::Tipo::colonna}));
static_assert(copreIlRecord(kRecordZ, {Fonte::Tipo::numeroRecordB}));
static_assert(ogniColonnaUnaVolta(kRecordB));

} // namespace Tracciato
