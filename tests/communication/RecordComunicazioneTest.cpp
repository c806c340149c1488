#include "communication/RecordComunicazione.h"

#include "base/Cp1252.h"
#include "communication/CreaVuota.h"
#include "communication/DatiAgenzia.h"
#include "communication/ScritturaCampi.h"
#include "support/CartellaProva.h"
#include "support/RigaValida.h"

#include <QDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

// A record laid out by hand: blanks, then each text at its position.
QByteArray atteso(const std::vector<std::pair<int, QByteArray>>& campi)
{
    QByteArray r(kLunghezzaRecord, ' ');
    for (const auto& [posizione, testo] : campi)
        r.replace(posizione - 1, testo.size(), testo);
    return r;
}

QByteArray tratto(const QByteArray& record, int da, int a)
{
    return record.mid(da - 1, a - da + 1);
}

DatiAgenzia personaFisica()
{
    DatiAgenzia a;
    a.anno = QStringLiteral("2017");
    a.mese = QStringLiteral("09");
    a.tipoInvio = QLatin1Char('1');
    a.codiceFiscale = QStringLiteral("RSSMRA80A01H501U");
    a.partitaIva = QStringLiteral("01234567890");
    a.personaFisica = true;
    a.cognome = QStringLiteral("ROSSI");
    a.nome = QStringLiteral("MARIO");
    a.sesso = QStringLiteral("M");
    a.dataNascita = QStringLiteral("01/01/1980");
    a.comuneNascita = QStringLiteral("ROMA");
    a.provinciaNascita = QStringLiteral("RM");
    a.cittadinanza = QStringLiteral("01=ITALIANA");
    a.comuneDomicilio = QStringLiteral("MILANO");
    a.provinciaDomicilio = QStringLiteral("MI");
    // Company fields an agency may still hold from before; a PF header never shows them.
    a.ragioneSociale = QStringLiteral("ROSSI MARIO");
    a.comuneSede = QStringLiteral("TORINO");
    a.provinciaSede = QStringLiteral("TO");
    return a;
}

DatiAgenzia societa()
{
    DatiAgenzia a;
    a.anno = QStringLiteral("2017");
    a.mese = QStringLiteral("09");
    a.codiceFiscale = QStringLiteral("01234567890");
    a.ragioneSociale = QStringLiteral("ROSSI CAMBI S.R.L.");
    a.comuneSede = QStringLiteral("NAPOLI");
    a.provinciaSede = QStringLiteral("NA");
    a.cognome = QStringLiteral("VERDI"); // a PNF header never shows person fields
    a.dataNascita = QStringLiteral("02/02/1970");
    return a;
}

// The valid row with its texts in small letters (the record upper-cases
// them), a second amount written with a thousands point and an identifier
// that fills its field.
std::array<QString, kColonneFoglio> rigaCompleta()
{
    QStringList valori = RigaValida::valori();
    for (const int c : {0, 1, 5, 7, 12, 13, 15, 17})
        valori[c] = valori[c].toLower();
    valori[19] = QStringLiteral("1.500,75");
    valori[21] = QStringLiteral("T000000001");
    std::array<QString, kColonneFoglio> riga;
    std::copy_n(valori.cbegin(), kColonneFoglio, riga.begin());
    return riga;
}

} // namespace

TEST(RecordA, NaturalPersonFillsItsFieldsAndLeavesCompanyFieldsBlank)
{
    const QByteArray a = RecordA(personaFisica());
    EXPECT_EQ(a, atteso({{1, "AOPMEN"},
                         {7, "2017"},
                         {11, "09"},
                         {13, "1"},
                         {84, "RSSMRA80A01H501U"},
                         {100, "ROSSI"},
                         {130, "MARIO"},
                         {160, "M"},
                         {161, "01011980"},
                         {169, "ROMA"},
                         {209, "RM"},
                         {211, "01"},
                         {213, "MILANO"},
                         {253, "MI"},
                         {409, "1"},
                         {448, "A"}}));
}

TEST(RecordA, CompanyFillsItsFieldsAndLeavesPersonFieldsBlank)
{
    const QByteArray a = RecordA(societa());
    EXPECT_EQ(a, atteso({{1, "AOPMEN"},
                         {7, "2017"},
                         {11, "09"},
                         {13, "0"},
                         {84, "01234567890"},
                         {255, "ROSSI CAMBI S.R.L."},
                         {325, "NAPOLI"},
                         {365, "NA"},
                         {409, "1"},
                         {448, "A"}}));
    EXPECT_EQ(tratto(a, 100, 254), QByteArray(155, ' '));
}

TEST(RecordA, PartitaIvaStandsInForAnEmptyCodiceFiscaleAndValuesStayInTheirFields)
{
    DatiAgenzia a = societa();
    a.codiceFiscale = QStringLiteral("  ");
    a.partitaIva = QStringLiteral("09876543210");
    a.mese = QStringLiteral("9");
    a.ragioneSociale = QString(80, QLatin1Char('X'));
    a.provinciaSede = QStringLiteral("NAP");
    const QByteArray r = RecordA(a);
    ASSERT_EQ(r.size(), kLunghezzaRecord);
    EXPECT_EQ(tratto(r, 84, 99), "09876543210     ");
    EXPECT_EQ(tratto(r, 11, 13), "9 0");
    EXPECT_EQ(tratto(r, 255, 324), QByteArray(70, 'X'));
    EXPECT_EQ(tratto(r, 325, 330), "NAPOLI");
    EXPECT_EQ(tratto(r, 365, 367), "NA ");
}

TEST(RecordB, EveryColumnLandsInItsFieldUpperCased)
{
    auto r = RecordB(1, rigaCompleta());
    ASSERT_TRUE(r.ok()) << r.errore().toStdString();
    EXPECT_EQ(*r, atteso({{1, "B0000000001"},
                          {12, "ROSSI"},
                          {42, "MARIO"},
                          {72, "M"},
                          {73, "RSSMRA80A01H501U"},
                          {89, "01011980"},
                          {97, "ROMA"},
                          {137, "RM"},
                          {139, "ITALIA"},
                          {179, "ITA"},
                          {182, "CI"},
                          {184, "AB1234567"},
                          {204, "31122030"},
                          {212, "COMUNE"},
                          {252, "ROMA"},
                          {292, "15092017"},
                          {300, "ROMA"},
                          {340, "A"},
                          {341, "USD"},
                          {344, "00000000001500"},
                          {358, "0000000001.500"},
                          {372, "00000000000000"},
                          {386, "T000000001"},
                          {448, "*"}}));
}

TEST(RecordB, ValuesAreCutToTheirFields)
{
    auto valori = rigaCompleta();
    valori[5] = QString(45, QLatin1Char('a'));                       // place of birth, 40
    valori[0] = QStringLiteral("DE LA ROCHEFOUCAULD-MONTMORENCY X"); // surname, 30
    valori[2] = QStringLiteral("MF");                                // sex, 1
    valori[4] = QStringLiteral("01/01/1980 10:30:00");               // a date with its time
    valori[21] = QStringLiteral("ID-12345678901");                   // identifier, 10
    auto r = RecordB(7, valori);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(tratto(*r, 97, 136), QByteArray(40, 'A'));
    EXPECT_EQ(tratto(*r, 137, 138), "RM");
    EXPECT_EQ(tratto(*r, 12, 41), "DE LA ROCHEFOUCAULD-MONTMORENC");
    EXPECT_EQ(tratto(*r, 72, 73), "MR");
    EXPECT_EQ(tratto(*r, 89, 96), "01011980");
    EXPECT_EQ(tratto(*r, 386, 395), "ID-1234567");
    EXPECT_EQ(tratto(*r, 396, 448), QByteArray(52, ' ') + '*');
}

TEST(RecordB, AmountsKeepTheWholePartPaddedWithZeros)
{
    const std::vector<std::pair<QString, QByteArray>> casi = {
        {QStringLiteral("1500,75"), "00000000001500"},
        {QStringLiteral("1.500,75"), "0000000001.500"}, // the text before the comma, unchanged
        {QString(), "00000000000000"},
        {QStringLiteral("12345678901234"), "12345678901234"},
        {QStringLiteral("12345678901234,99"), "12345678901234"},
        {QStringLiteral("7,5,3"), "00000000000007"},
    };
    for (const auto& [importo, campo] : casi) {
        auto valori = rigaCompleta();
        valori[19] = importo;
        auto r = RecordB(1, valori);
        ASSERT_TRUE(r.ok()) << importo.toStdString();
        EXPECT_EQ(tratto(*r, 358, 371), campo) << importo.toStdString();
    }
}

TEST(RecordB, AnAmountTooLongForItsFieldCannotBeWritten)
{
    auto valori = rigaCompleta();
    valori[20] = QStringLiteral("123456789012345,00");
    auto r = RecordB(1, valori);
    ASSERT_FALSE(r.ok());
    EXPECT_TRUE(r.errore().contains(QStringLiteral("B23"))) << r.errore().toStdString();
    EXPECT_TRUE(r.errore().contains(QStringLiteral("123456789012345"))) << r.errore().toStdString();
    EXPECT_FALSE(RecordB(12345678901LL, rigaCompleta()).ok());
}

TEST(RecordB, AnyCharacterTakesOneByteSoTheLineKeepsItsLength)
{
    auto valori = rigaCompleta();
    valori[0] = QStringLiteral("Łukasz Müller Ñandú"); // Polish, German, Spanish
    valori[1] =
        QStringLiteral("Jose\u0301 \U0001F600 北京 Ω");  // combining accent, emoji, CJK, Greek
    valori[5] = QStringLiteral("riga uno\nriga\tdue\r"); // a cell with line breaks
    valori[7] = QString(60, QChar(0x4E2D));              // 60 characters none of which fit
    auto r = RecordB(1, valori);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r->size(), kLunghezzaRecord);
    EXPECT_EQ(Cp1252::decodifica(tratto(*r, 12, 41)),
              QStringLiteral("LUKASZ MÜLLER ÑANDÚ           "));
    EXPECT_EQ(tratto(*r, 42, 71), QByteArray("JOS\xC9 ? ?? ?") + QByteArray(19, ' '));
    EXPECT_EQ(tratto(*r, 97, 136), QByteArray("RIGA UNO RIGA DUE ") + QByteArray(22, ' '));
    EXPECT_EQ(tratto(*r, 139, 178), QByteArray(40, '?'));
    EXPECT_EQ(tratto(*r, 448, 448), "*");
    EXPECT_FALSE(r->contains('\n'));
}

TEST(RecordZ, CountsTheBRecords)
{
    auto z = RecordZ(1234);
    ASSERT_TRUE(z.ok());
    EXPECT_EQ(*z, atteso({{1, "Z"}, {202, "00000001234"}, {448, "Z"}}));
}

TEST(ScritturaCampi, HelpersBehaveAsTheRecordsNeed)
{
    EXPECT_EQ(TagliaCampo(u"via roma", 3), QStringLiteral("VIA"));
    EXPECT_EQ(TagliaCampo(u"ab", 10), QStringLiteral("AB")); // never padded
    EXPECT_EQ(TagliaCampo(u"\U0001F600xyz", 2), QStringLiteral("\U0001F600X"));
    EXPECT_EQ(DataSenzaBarre(u" 12/05/1980 "), QStringLiteral("12051980"));
    EXPECT_EQ(DataSenzaBarre(u"12/05/80"), QStringLiteral("120580"));
    EXPECT_EQ(RiempiSinistra(u"42", 5, QLatin1Char('0')).valore(), QStringLiteral("00042"));
    EXPECT_EQ(RiempiSinistra(u",5", 3, QLatin1Char('0')).valore(), QStringLiteral("000"));
    EXPECT_FALSE(RiempiSinistra(u"123456", 5, QLatin1Char('0')).ok());
}

TEST(CreaVuota, WritesHeaderAndTrailerOnlyAlwaysAsOrdinary)
{
    CartellaProva cartella;
    const QString percorso = cartella.file(QStringLiteral("COAM_201709_ROSSIMARIO-VUOTA.TXT"));
    DatiAgenzia agenzia =
        personaFisica(); // substitutive in the window: the empty one is ordinary anyway
    ASSERT_TRUE(CreaVuota(agenzia, percorso).ok());

    const QByteArray file = cartella.leggi(QStringLiteral("COAM_201709_ROSSIMARIO-VUOTA.TXT"));
    ASSERT_EQ(file.size(), 900);
    agenzia.tipoInvio = QLatin1Char('0');
    EXPECT_EQ(file.left(450), RecordA(agenzia) + "\r\n");
    EXPECT_EQ(file.mid(12, 1), "0");
    EXPECT_EQ(file.mid(450), atteso({{1, "Z"}, {202, "00000000000"}, {448, "Z"}}) + "\r\n");
}

TEST(CreaVuota, AFileThatCannotBeWrittenIsAnErrorAndLeavesNothing)
{
    CartellaProva cartella;
    const QString percorso = cartella.file(QStringLiteral("manca/COAM.TXT"));
    const auto esito = CreaVuota(societa(), percorso);
    ASSERT_FALSE(esito.ok());
    EXPECT_TRUE(esito.errore().contains(QDir::toNativeSeparators(percorso)));
    EXPECT_FALSE(QFile::exists(percorso));
}

TEST(NomeComunicazione, ProposesPeriodAndTenLettersOfTheName)
{
    EXPECT_EQ(NomeComunicazione(QStringLiteral("2017"), QStringLiteral("09"),
                                QStringLiteral("Rossi Cambi S.r.l.")),
              QStringLiteral("COAM_201709_ROSSICAMBI.TXT"));
    EXPECT_EQ(NomeComunicazioneVuota(QStringLiteral("2017"), QStringLiteral("09"),
                                     QStringLiteral("Rossi Cambi S.r.l.")),
              QStringLiteral("COAM_201709_ROSSICAMBI-VUOTA.TXT"));
    EXPECT_EQ(NomeComunicazione(QStringLiteral("2017"), QStringLiteral("09"),
                                QStringLiteral("123 & 456")),
              QStringLiteral("COAM_201709_.TXT"));
    EXPECT_EQ(NomeComunicazione(QStringLiteral("2017"), QStringLiteral("9"), QStringLiteral("Bo")),
              QStringLiteral("COAM_20179_BO.TXT"));
}

TEST(RecordB, AppendedToABlockItIsTheSameRecordAndAFailureLeavesTheBlockAsItWas)
{
    auto valori = rigaCompleta();
    valori[1] = QStringLiteral("José"); // the long road for one field
    QByteArray blocco("record precedente\r\n");
    const QByteArray prima = blocco;
    for (const qint64 progressivo : {1LL, 42LL, 9999999999LL}) {
        SCOPED_TRACE(progressivo);
        const auto r = RecordB(progressivo, valori);
        ASSERT_TRUE(r.ok());
        const qsizetype inizio = blocco.size();
        ASSERT_TRUE(AccodaRecordB(progressivo, valori, blocco).ok());
        EXPECT_EQ(blocco.mid(inizio), *r);
    }
    EXPECT_TRUE(blocco.startsWith(prima));

    const QByteArray scritto = blocco;
    EXPECT_FALSE(AccodaRecordB(10000000000LL, valori, blocco).ok());
    valori[18] = QStringLiteral("123456789012345,00");
    const auto errore = AccodaRecordB(1, valori, blocco);
    ASSERT_FALSE(errore.ok());
    EXPECT_EQ(errore.errore(), RecordB(1, valori).errore());
    EXPECT_EQ(blocco, scritto);
}

TEST(Cp1252, EncodingAppendsAndDecodingReusesItsText)
{
    QByteArray byte("gi\xE0: ");
    Cp1252::codificaIn(QStringLiteral("Müller € \U0001F600 Ł"), byte);
    EXPECT_EQ(byte, QByteArray("gi\xE0: M\xFCller \x80 ? L"));

    QString testo = QStringLiteral("un testo più lungo di quello che segue");
    Cp1252::decodificaIn(QByteArrayView("\x80\x93"
                                        "abc"),
                         testo);
    EXPECT_EQ(testo, QStringLiteral("€“abc"));
    Cp1252::decodificaIn(QByteArrayView(), testo);
    EXPECT_EQ(testo, QString());
}

TEST(RecordB, DatesLoseTheirSlashesAndBlanksWhateverTheirCharacters)
{
    // The three date fields take the same road: B7, B14 and B17.
    const struct
    {
        const char16_t* data;
        QByteArray campo;
    } casi[] = {
        {u"01/01/1980", "01011980"},
        {u"01011980", "01011980"},
        {u" 01/01/1980\t", "01011980"},    // blanks around it go
        {u"01/01/1980\u00A0", "01011980"}, // a non-breaking space too
        {u"1/2/1980", "121980  "},         // shorter: not padded with zeros
        {u"12/05/1980 10:30", "12051980"}, // longer: cut by the field
        {u"o1/o1/198o", "O1O1198O"},       // letters upper-cased as in any field
        {u"01/01/19\u00E980", "010119\xC9"
                              "8"},   // one character beyond ASCII
        {u"01/\n1/1980", "01 11980"}, // a line break never splits the record
        {u"", "        "},
    };
    for (const auto& caso : casi) {
        SCOPED_TRACE(QString::fromUtf16(caso.data).toStdString());
        auto valori = rigaCompleta();
        valori[4] = valori[11] = valori[14] = QString::fromUtf16(caso.data);
        auto r = RecordB(1, valori);
        ASSERT_TRUE(r.ok());
        EXPECT_EQ(tratto(*r, 89, 96), caso.campo);
        EXPECT_EQ(tratto(*r, 204, 211), caso.campo);
        EXPECT_EQ(tratto(*r, 292, 299), caso.campo);
        EXPECT_EQ(tratto(*r, 97, 100), "ROMA"); // the next field untouched
    }
}
