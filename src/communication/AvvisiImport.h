#pragma once

#include "communication/ControlloRiga.h"
#include "communication/IdentificativiVisti.h"
#include "communication/RapportoRighe.h"

#include <QLatin1StringView>
#include <QString>
#include <array>
#include <span>
#include <vector>

// The advice of the import: what a clerk would want to know before sending,
// about values the checks accepted. An operation date outside the month sent,
// a document expired before the operation, a transaction identifier already
// used by an earlier row, a codice fiscale whose birth date or sex disagrees
// with B7 or B5, an amount with signs other than digits before the comma
// (the record would copy them), a name holding digits. Advice is never an
// error: the communication and ERRORE_IMPORT.TXT are the same without it.
// AVVISI_IMPORT.TXT is written as the error report is, one line per advice.
class AvvisiImport
{
public:
    // `percorso` empty: the advice is counted, no file written. `anno` and
    // `mese` are the period sent, as DatiAgenzia holds them.
    AvvisiImport(QString percorso, QString foglio, const QString& anno, const QString& mese);

    // A row of the ASCII road, which passed every check: its values trimmed,
    // its dates their eight digits.
    void esamina(int riga, const std::array<QLatin1StringView, kColonneFoglio>& valori);
    // A row of the road of texts after ControllaRiga: its values as the record
    // is written from them, `falliti` the columns that failed a check.
    void esamina(int riga, std::span<const QString, kColonneFoglio> valori,
                 const ColonneFallite& falliti);

    qint64 numero() const { return m_numero; }
    const QString& percorso() const { return m_rapporto.percorso(); }
    // Puts the file in place when the run gave advice (see RapportoRighe::chiudi).
    void chiudi();
    // Why AVVISI_IMPORT.TXT could not be written, or empty. Advice never
    // stops a run: a file that cannot be written is said, the older one stays.
    const QString& errore() const { return m_errore; }

private:
    template <typename Vista>
    void esamina(int riga, const std::array<Vista, kColonneFoglio>& valori,
                 const ColonneFallite& falliti, Vista cognome, Vista nome);
    template <typename Vista>
    void avvisa(int riga, int colonna, Vista valore, const QString& motivo, Vista cognome,
                Vista nome);

    RapportoRighe m_rapporto;
    bool m_scrive;
    QString m_errore;
    // The month sent as "mmyyyy", as a date's last six digits hold it; empty
    // when the period is not one (then no date is said outside it).
    QByteArray m_mese;
    QString m_periodo; // "mm/yyyy", for the advice
    IdentificativiVisti m_identificativi;
    // The advice of the row being looked at, gathered in the order of its columns.
    struct Trovato
    {
        int colonna;
        QString motivo;
    };
    std::vector<Trovato> m_trovati;
    QByteArray m_chiave; // an identifier of the road of texts as bytes
    qint64 m_numero = 0;
};
