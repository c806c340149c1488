#pragma once

#include <QString>

class Rapporto;

// The two yearly lists of an agency: its registered operations (COPERA) and
// its variation notes (CNOTEV), each printed from its own template under the
// application folder's stampe/.
namespace ElenchiAnnuali {

enum class Elenco
{
    Operazioni,
    NoteVariazione
};

// A year is four digits. Anything else would go into the date bounds of the
// query and select nothing, printing an empty list with no word of why.
bool annoValido(const QString& anno);
inline const QString messaggioAnnoNonValido = QStringLiteral(
    "Anno di riferimento non valido: indicare l'anno con quattro cifre (ad esempio 2016).");

// What a list needs of the run: where its templates are, the agency, and how
// the report layer reaches the database.
struct ContestoStampa
{
    QString cartellaApplicazione;
    QString stringaConnessione;
    QString codiceAgenzia;
    QString nomeAgenzia; // company name, or surname and first name joined
};

// "OCOD ORAG": the agency line of the window and of every page.
QString descrizioneAgenzia(const QString& codice, const QString& nome);

QString fileModello(Elenco elenco, const QString& cartellaApplicazione);
QString titolo(Elenco elenco, const QString& anno);
// The rows of the list: the agency's rows dated within the year, by date
// and then customer. The date bounds are Jet literals, adapted by the
// storage layer like every statement of the program.
QString SqlStampa(Elenco elenco, const QString& codiceAgenzia, const QString& anno);
// The name the save dialog proposes for the PDF.
QString nomePdf(Elenco elenco, const QString& anno, const QString& codiceAgenzia);
// The chosen name with ".PDF" added when it has no extension, so the system
// knows which viewer opens it.
QString conEstensionePdf(const QString& percorso);

// Sets the report up for one agency's list of one year: template, title
// (TESTAREP), agency line (PODES), the dataset "DS" and the connection
// "CONNESSIONE". Gives the SQL of the rows.
QString PreparaStampa(Rapporto& rapporto, Elenco elenco, const QString& anno,
                      const ContestoStampa& contesto);

} // namespace ElenchiAnnuali
