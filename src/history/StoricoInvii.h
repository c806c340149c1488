#pragma once

#include "base/Esito.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class Connessione;

// What was sent: every communication the program writes, from a sheet or
// empty, from a window or from the command line, is recorded here once it is
// in place. The history is the accountant's own memory of the months done; it
// is not part of an agency's backup and a restore leaves it alone.
namespace StoricoInvii {

enum class Tipo
{
    ordinaria,
    sostitutiva,
    vuota
};
// "ordinaria", "sostitutiva", "vuota".
QString testoTipo(Tipo tipo);
// The kind of a communication from a sheet: '1' in record A is a substitutive sending.
Tipo tipoDaInvio(QChar tipoInvio);

struct Invio
{
    QString agenzia; // OCOD
    int anno = 0;
    int mese = 0; // 1-12
    Tipo tipo = Tipo::ordinaria;
    QString percorso; // the communication's file, absolute
    QDateTime scritto;
    qint64 recordB = 0;
    qint64 righeErrori = 0; // lines of ERRORE_IMPORT.TXT the run wrote
    QByteArray sha256;      // of the file as written, 32 bytes
};

// How a month stands for an agency: its latest communication decides.
enum class Stato
{
    creata,
    vuota,
    conErrori,
    mancante
};

// The table where it is missing (every start; an older database gains it).
EsitoVuoto prepara(const Connessione& connessione);

// Records a communication just put in place: reads the file for its SHA-256
// and stamps the time from Orologio.
EsitoVuoto registra(const Connessione& connessione, Invio invio);

// The agency's history, newest first.
Esito<QList<Invio>> elenco(const Connessione& connessione, const QString& agenzia);

// The latest communication of that month, or nothing.
Esito<std::optional<Invio>> ultimo(const Connessione& connessione, const QString& agenzia, int anno,
                                   int mese);

Stato stato(const std::optional<Invio>& ultimo);
// A month is done once something good was written for it: a communication
// without errors, or the empty one.
bool fatta(Stato stato);
// "creata", "vuota", "con errori", "mancante".
QString testoStato(Stato stato);

// Whether the file is still where it was written and still has its SHA-256.
enum class Verifica
{
    integro,
    modificato,
    mancante
};
Verifica verifica(const Invio& invio);
// "integro", "modificato", "mancante".
QString testoVerifica(Verifica verifica);

} // namespace StoricoInvii
