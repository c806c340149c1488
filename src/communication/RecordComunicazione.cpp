#include "communication/RecordComunicazione.h"

#include "communication/DatiAgenzia.h"
#include "communication/ScritturaCampi.h"
#include "communication/TracciatoRecord.h"

#include <iterator>
#include <utility>

namespace {

using Tracciato::Campo;
using Tracciato::Fonte;
using Tracciato::Genere;

// What the fields of one record are filled from: the agency for the header,
// a sheet row and its number for an operation, the count for the trailer.
template <typename Valore> struct Valori
{
    const DatiAgenzia* agenzia = nullptr;
    const Valore* colonne = nullptr; // kColonneFoglio of them
    qint64 numero = 0;               // the progressive number, or the count of B records
};

QString comeTesto(QStringView valore)
{
    return valore.toString();
}

QString comeTesto(QLatin1StringView valore)
{
    return QString(valore);
}

Errore nonEntra(const Campo& campo, const Esito<QString>& riempito)
{
    return Errore{QLatin1String(campo.nome) + QStringLiteral(": ") + riempito.errore()};
}

// One field of a table, its place, kind and source known to the compiler: a
// month writes up to half a million B records, and each field is then a few
// stores at fixed positions. False, with `esito` set, when a number does not
// fit its field.
template <const auto& kCampi, size_t indice, typename Valore>
bool scriviCampo(BufferRecord& r, const Valori<Valore>& v, EsitoVuoto& esito)
{
    constexpr const Campo& campo = kCampi[indice];
    constexpr Fonte::Tipo tipo = campo.fonte.tipo;
    constexpr int posizione = campo.posizione;
    constexpr int lunghezza = campo.lunghezza;
    constexpr Genere genere = campo.genere;

    const auto metti = [&r](const auto& testo, bool maiuscolo) {
        if constexpr (genere == Genere::alfanumerico) {
            r.metti(posizione, lunghezza, testo, maiuscolo);
            return true;
        } else if constexpr (genere == Genere::data) {
            r.mettiData(posizione, lunghezza, testo);
            return true;
        } else {
            return r.mettiNumero(posizione, lunghezza, testo);
        }
    };

    // Fonte::Tipo::spazi places nothing: the buffer starts blank.
    if constexpr (tipo == Fonte::Tipo::costante) {
        r.metti(posizione, lunghezza, QLatin1StringView(campo.fonte.testo, lunghezza));
    } else if constexpr (tipo == Fonte::Tipo::colonna) {
        const Valore& valore = v.colonne[campo.fonte.colonna];
        if (!metti(valore, true)) {
            esito = nonEntra(campo, RiempiSinistra(comeTesto(valore), lunghezza));
            return false;
        }
    } else if constexpr (tipo == Fonte::Tipo::agenzia) {
        const QStringView valore = Tracciato::valore(*v.agenzia, campo.fonte.dato, campo.fonte.per);
        if (!metti(valore, false)) {
            esito = nonEntra(campo, RiempiSinistra(valore, lunghezza));
            return false;
        }
    } else if constexpr (tipo == Fonte::Tipo::progressivo || tipo == Fonte::Tipo::numeroRecordB) {
        if (!r.mettiIntero(posizione, lunghezza, v.numero)) {
            esito = nonEntra(campo, RiempiSinistra(v.numero, lunghezza));
            return false;
        }
    }
    return true;
}

// The record's fields in the order of its table, up to the first that fails.
template <const auto& kCampi, typename Valore>
EsitoVuoto scriviCampi(BufferRecord& r, const Valori<Valore>& v)
{
    return [&]<size_t... indice>(std::index_sequence<indice...>)
    {
        EsitoVuoto esito;
        (void)(scriviCampo<kCampi, indice>(r, v, esito) && ...);
        return esito;
    }
    (std::make_index_sequence<std::size(kCampi)>());
}

} // namespace

QByteArray RecordA(const DatiAgenzia& agenzia)
{
    BufferRecord r;
    // The header has no number of its own that could outgrow its field.
    (void)scriviCampi<Tracciato::kRecordA>(r, Valori<QString>{&agenzia});
    return r.byte();
}

namespace {

template <typename Valore>
EsitoVuoto ScriviRecordB(BufferRecord& r, qint64 progressivo,
                         std::span<const Valore, kColonneFoglio> valori)
{
    return scriviCampi<Tracciato::kRecordB>(r, Valori<Valore>{nullptr, valori.data(), progressivo});
}

} // namespace

Esito<QByteArray> RecordB(qint64 progressivo, std::span<const QString, kColonneFoglio> valori)
{
    BufferRecord r;
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
    BufferRecord r(destinazione.data() + prima);
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
    BufferRecord r;
    if (auto esito =
            scriviCampi<Tracciato::kRecordZ>(r, Valori<QString>{nullptr, nullptr, numeroRecordB});
        !esito)
        return Errore{esito.errore()};
    return r.byte();
}
