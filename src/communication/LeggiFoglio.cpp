#include "communication/LeggiFoglio.h"

#include "base/ErroreSistema.h"
#include "communication/AvvisiImport.h"
#include "communication/ControlloRiga.h"
#include "communication/FoglioOperazioni.h"
#include "communication/RapportoErrori.h"
#include "communication/RecordComunicazione.h"
#include "fogli/LettoreCsv.h"
#include "fogli/LettoreFoglio.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>
#include <cstring>

namespace {

constexpr qint64 kIntervalloAvanzamentoMs = 100;
constexpr qsizetype kBlocco = 64 * 1024;

// The communication being written: records gathered in blocks, the file put
// in place by `completa` only.
class FileComunicazione
{
public:
    explicit FileComunicazione(const QString& percorso) : m_file(percorso)
    {
        m_blocco.reserve(kBlocco + 512);
    }

    EsitoVuoto apri()
    {
        if (!m_file.open(QIODevice::WriteOnly))
            return errore();
        return {};
    }

    EsitoVuoto scrivi(const QByteArray& record)
    {
        m_blocco += record;
        return chiudiRecord();
    }

    // Record B built straight into the block; `chiudiRecord` then ends it.
    template <typename Valori> EsitoVuoto accodaB(qint64 progressivo, const Valori& valori)
    {
        return AccodaRecordB(progressivo, valori, m_blocco);
    }

    EsitoVuoto chiudiRecord()
    {
        // Two bytes into the reserved room, without the general append.
        const qsizetype fine = m_blocco.size();
        m_blocco.resize(fine + 2);
        std::memcpy(m_blocco.data() + fine, kFineRecord, 2);
        return m_blocco.size() >= kBlocco ? svuota() : EsitoVuoto{};
    }

    EsitoVuoto completa()
    {
        if (auto esito = svuota(); !esito)
            return esito;
        if (!m_file.commit())
            return errore();
        return {};
    }

private:
    EsitoVuoto svuota()
    {
        if (m_file.write(m_blocco) != m_blocco.size())
            return errore();
        m_blocco.resize(0); // clear() would give the reserved room back
        return {};
    }

    Errore errore() const
    {
        return Errore{QStringLiteral("Impossibile scrivere il file ") +
                      QDir::toNativeSeparators(m_file.fileName()) + QStringLiteral(": ") +
                      ErroreSistema::descrivi(m_file)};
    }

    QSaveFile m_file;
    QByteArray m_blocco;
};

// The next row of any sheet, as texts.
Esito<LettoreCsv::Forma> leggiTesto(LettoreFoglio& lettore, RigaFoglio& riga)
{
    auto letta = lettore.leggi(riga);
    if (!letta)
        return Errore{letta.errore()};
    return *letta ? LettoreCsv::Forma::testo : LettoreCsv::Forma::fine;
}

bool stessoFile(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

} // namespace

bool FoglioCsv(const QString& percorso)
{
    return percorso.contains(QLatin1String("CSV"), Qt::CaseInsensitive);
}

Esito<RisultatoComunicazione> ScriviComunicazione(const Connessione& connessione,
                                                  const RichiestaComunicazione& richiesta,
                                                  LettoreFoglio& lettore,
                                                  const RegoleControllo& regole,
                                                  const AvanzamentoLettura& avanzamento)
{
    auto codici = CodiciControllo::carica(connessione);
    if (!codici)
        return Errore{codici.errore()};

    FileComunicazione file(richiesta.fileComunicazione);
    if (auto esito = file.apri(); !esito)
        return Errore{esito.errore()};
    RapportoErrori rapporto(richiesta.fileErrori, richiesta.foglio);
    AvvisiImport avvisi(richiesta.fileAvvisi, richiesta.foglio, richiesta.agenzia.anno,
                        richiesta.agenzia.mese);

    if (auto esito = file.scrivi(RecordA(richiesta.agenzia)); !esito)
        return Errore{esito.errore()};

    // A CSV line of ASCII bytes that passes every check, nearly every line,
    // goes from its bytes to its record; any other row, and one that fails a
    // check, takes the road of texts, which also reports.
    auto* csv = regole.scriveValoriRipuliti ? dynamic_cast<LettoreCsv*>(&lettore) : nullptr;
    RigaAscii ascii;
    DateAscii date;

    QElapsedTimer orologio;
    orologio.start();
    bool primaRiga = true;
    qint64 contatore = 0;
    RigaFoglio riga;
    for (;;) {
        if (interrotta(richiesta.interruzione))
            return Errore{kMessaggioInterrotta, kLetturaInterrotta};
        auto forma = csv ? csv->leggiAscii(ascii, riga) : leggiTesto(lettore, riga);
        if (!forma)
            return Errore{forma.errore()};
        if (*forma == LettoreCsv::Forma::fine)
            break;
        const bool comeByte = *forma == LettoreCsv::Forma::ascii;
        if (avanzamento && (primaRiga || orologio.elapsed() >= kIntervalloAvanzamentoMs)) {
            avanzamento({comeByte ? ascii.numero : riga.numero, lettore.quotaLetta()});
            orologio.restart();
            primaRiga = false;
        }
        if (comeByte) {
            std::array<QLatin1StringView, kColonneFoglio> valori;
            std::copy_n(ascii.valori.begin(), kColonneFoglio, valori.begin());
            // A record that cannot be built takes the road of texts too, which says why.
            if (RigaAsciiSenzaErrori(valori, date, *codici) &&
                file.accodaB(contatore + 1, valori)) {
                ++contatore;
                if (auto esito = file.chiudiRecord(); !esito)
                    return Errore{esito.errore()};
                avvisi.esamina(ascii.numero, valori);
                continue;
            }
            LettoreCsv::comeTesto(ascii, riga);
        }
        ColonneFallite falliti;
        if (auto esito = ControllaRiga(riga, regole, *codici, rapporto, &falliti); !esito)
            return Errore{esito.errore()};
        // Numbered from 1 in the order of the file, whatever line the data start on.
        const std::span<const QString, kColonneFoglio> valori = FoglioOperazioni::valori(riga);
        if (auto esito = file.accodaB(++contatore, valori); !esito)
            return Errore{QStringLiteral("Riga %1, ").arg(riga.numero) + esito.errore()};
        if (auto esito = file.chiudiRecord(); !esito)
            return Errore{esito.errore()};
        avvisi.esamina(riga.numero, valori, falliti);
    }

    auto chiusura = RecordZ(contatore);
    if (!chiusura)
        return Errore{chiusura.errore()};
    if (auto esito = file.scrivi(*chiusura); !esito)
        return Errore{esito.errore()};
    // The report first: should it fail, no communication claims to be error-free.
    if (auto esito = rapporto.chiudi(); !esito)
        return Errore{esito.errore()};
    if (auto esito = file.completa(); !esito)
        return Errore{esito.errore()};
    // Advice goes in place only beside a communication that did.
    avvisi.chiudi();

    RisultatoComunicazione risultato;
    risultato.recordB = contatore;
    risultato.erroriPresenti = rapporto.erroriPresenti();
    risultato.righeErrori = rapporto.righe();
    risultato.fileErrori = rapporto.percorso();
    risultato.avvisi = avvisi.numero();
    risultato.fileAvvisi = avvisi.percorso();
    risultato.erroreAvvisi = avvisi.errore();
    return risultato;
}

Esito<RisultatoComunicazione> LeggiFoglio(const Connessione& connessione,
                                          const RichiestaComunicazione& richiesta,
                                          const AvanzamentoLettura& avanzamento)
{
    // Writing over the sheet being read would destroy the clerk's data.
    if (stessoFile(richiesta.foglio, richiesta.fileComunicazione))
        return Errore{
            QStringLiteral("il file della comunicazione non può essere il foglio da importare (") +
            richiesta.foglio + QLatin1Char(')')};

    const bool csv = FoglioCsv(richiesta.foglio);
    if (csv && richiesta.separatoreCsv.isEmpty())
        return Errore{QStringLiteral("Indicare il carattere separatore")};
    if (csv && richiesta.primaRigaCsv < 1)
        return Errore{QStringLiteral("la prima riga dei dati deve essere un numero da 1 in su")};
    auto lettore =
        csv ? apriFoglioCsv(richiesta.foglio, FoglioOperazioni::impostazioniCsv(
                                                  richiesta.separatoreCsv, richiesta.primaRigaCsv))
            : apriFoglioExcel(richiesta.foglio, FoglioOperazioni::regoleExcel());
    if (!lettore)
        return Errore{lettore.errore()};
    return ScriviComunicazione(connessione, richiesta, *lettore.valore(),
                               csv ? RegoleControllo::csv : RegoleControllo::excel, avanzamento);
}
