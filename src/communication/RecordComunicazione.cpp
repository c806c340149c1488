#include "communication/RecordComunicazione.h"

#include "communication/CampiRecord.h"
#include "communication/DatiAgenzia.h"

namespace {

enum class Forma
{
    testo,
    data,
    importo
};

struct Campo
{
    int posizione;
    int larghezza;
    Forma forma;
};

// Fields B3 to B24, one per sheet column, in the column order.
constexpr std::array<Campo, kColonneFoglio> kCampiB = {{
    {12, 30, Forma::testo},    // B3 surname
    {42, 30, Forma::testo},    // B4 first name
    {72, 1, Forma::testo},     // B5 sex
    {73, 16, Forma::testo},    // B6 codice fiscale
    {89, 8, Forma::data},      // B7 date of birth
    {97, 40, Forma::testo},    // B8 place of birth
    {137, 2, Forma::testo},    // B9 province of birth
    {139, 40, Forma::testo},   // B10 country of residence
    {179, 3, Forma::testo},    // B11 its code (CTAB "PAESI")
    {182, 2, Forma::testo},    // B12 kind of identity document
    {184, 20, Forma::testo},   // B13 document number
    {204, 8, Forma::data},     // B14 document expiry
    {212, 40, Forma::testo},   // B15 issuing authority
    {252, 40, Forma::testo},   // B16 place of issue
    {292, 8, Forma::data},     // B17 date of the operation
    {300, 40, Forma::testo},   // B18 place of the operation
    {340, 1, Forma::testo},    // B19 kind of operation
    {341, 3, Forma::testo},    // B20 foreign currency (CTAB "DIV")
    {344, 14, Forma::importo}, // B21 first amount
    {358, 14, Forma::importo}, // B22 second amount
    {372, 14, Forma::importo}, // B23 third amount
    {386, 10, Forma::testo},   // B24 identifier of the transaction
}};

} // namespace

QByteArray RecordA(const DatiAgenzia& agenzia)
{
    BufferRecord r('A', 'A');
    r.metti(1, 6, u"AOPMEN");
    r.metti(7, 4, agenzia.anno);
    r.metti(11, 2, agenzia.mese);
    r.metti(13, 1, QStringView(&agenzia.tipoInvio, 1));
    r.metti(84, 16,
            agenzia.codiceFiscale.trimmed().isEmpty() ? agenzia.partitaIva : agenzia.codiceFiscale);
    // Only the fields of the agency's own kind are written; the others stay blank.
    if (agenzia.personaFisica) {
        r.metti(100, 30, agenzia.cognome);
        r.metti(130, 30, agenzia.nome);
        r.metti(160, 1, agenzia.sesso);
        r.mettiData(161, 8, agenzia.dataNascita);
        r.metti(169, 40, agenzia.comuneNascita);
        r.metti(209, 2, agenzia.provinciaNascita);
        r.metti(211, 2, agenzia.cittadinanza);
        r.metti(213, 40, agenzia.comuneDomicilio);
        r.metti(253, 2, agenzia.provinciaDomicilio);
    } else {
        r.metti(255, 70, agenzia.ragioneSociale);
        r.metti(325, 40, agenzia.comuneSede);
        r.metti(365, 2, agenzia.provinciaSede);
    }
    r.metti(409, 1, u"1");
    return r.byte();
}

namespace {

QString comeTesto(QStringView valore)
{
    return valore.toString();
}

QString comeTesto(QLatin1StringView valore)
{
    return QString(valore);
}

// The record from texts or from the bytes of an ASCII line.
template <typename Valore>
EsitoVuoto ScriviRecordB(BufferRecord& r, qint64 progressivo,
                         std::span<const Valore, kColonneFoglio> valori)
{
    if (!r.mettiIntero(2, 10, progressivo))
        return Errore{QStringLiteral("campo B2: ") + RiempiSinistra(progressivo, 10).errore()};
    for (size_t k = 0; k < kCampiB.size(); ++k) {
        const Campo& campo = kCampiB[k];
        const auto& valore = valori[k];
        switch (campo.forma) {
        case Forma::testo:
            r.metti(campo.posizione, campo.larghezza, valore, true);
            break;
        case Forma::data:
            r.mettiData(campo.posizione, campo.larghezza, valore);
            break;
        case Forma::importo:
            if (!r.mettiNumero(campo.posizione, campo.larghezza, valore))
                return Errore{QStringLiteral("campo B%1: ").arg(k + 3) +
                              RiempiSinistra(comeTesto(valore), campo.larghezza).errore()};
            break;
        }
    }
    return {};
}

} // namespace

Esito<QByteArray> RecordB(qint64 progressivo, std::span<const QString, kColonneFoglio> valori)
{
    BufferRecord r('B', '*');
    if (auto esito = ScriviRecordB<QString>(r, progressivo, valori); !esito)
        return Errore{esito.errore()};
    return r.byte();
}

namespace {

template <typename Valore>
EsitoVuoto accoda(qint64 progressivo, std::span<const Valore, kColonneFoglio> valori,
                  QByteArray& destinazione)
{
    const qsizetype prima = destinazione.size();
    destinazione.resize(prima + kLunghezzaRecord);
    BufferRecord r('B', '*', destinazione.data() + prima);
    auto esito = ScriviRecordB<Valore>(r, progressivo, valori);
    if (!esito)
        destinazione.resize(prima);
    return esito;
}

} // namespace

EsitoVuoto AccodaRecordB(qint64 progressivo, std::span<const QString, kColonneFoglio> valori,
                         QByteArray& destinazione)
{
    return accoda<QString>(progressivo, valori, destinazione);
}

EsitoVuoto AccodaRecordB(qint64 progressivo,
                         std::span<const QLatin1StringView, kColonneFoglio> valori,
                         QByteArray& destinazione)
{
    return accoda<QLatin1StringView>(progressivo, valori, destinazione);
}

Esito<QByteArray> RecordZ(qint64 numeroRecordB)
{
    BufferRecord r('Z', 'Z');
    auto numero = RiempiSinistra(numeroRecordB, 11);
    if (!numero)
        return Errore{QStringLiteral("numero dei record B: ") + numero.errore()};
    r.metti(202, 11, *numero);
    return r.byte();
}
