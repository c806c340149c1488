#include "cli/ComandoAgenzia.h"

#include "base/Date.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/ControllaAgenzia.h"
#include "shell/Ambiente.h"

#include <QTextStream>

namespace {

struct Campo
{
    const char* nome;
    QString Agenzia::*campo;
    const char* spiegazione;
};

// One option per field of the agency window, named as its label.
const Campo kCampi[] = {
    {"partita-iva", &Agenzia::opiva, "Partita IVA"},
    {"ragione-sociale", &Agenzia::orag, "Ragione Sociale (PNF)"},
    {"sede-comune", &Agenzia::oscom, "Sede legale (Località) (PNF)"},
    {"sede-provincia", &Agenzia::ospro, "Provincia della sede legale (PNF)"},
    {"stabile-comune", &Agenzia::osocom, "Comune Stabile Organizzazione (PNF)"},
    {"stabile-provincia", &Agenzia::osopro, "Provincia della stabile organizzazione (PNF)"},
    {"cognome", &Agenzia::ocog, "Cognome (PF)"},
    {"nome", &Agenzia::onome, "Nome (PF)"},
    {"sesso", &Agenzia::osex, "Sesso, M o F (PF)"},
    {"data-nascita", &Agenzia::ondt, "Data di nascita (PF)"},
    {"comune-nascita", &Agenzia::oncom, "Comune o Stato Estero di nascita (PF)"},
    {"provincia-nascita", &Agenzia::onpro, "Provincia di nascita (PF)"},
    {"cittadinanza", &Agenzia::ocittad,
     "Cittadinanza: 01=Italiana, 02=Comunitaria, 03=ExtraComunitaria (PF)"},
    {"domicilio-comune", &Agenzia::odcom, "Domicilio (in Italia) (PF)"},
    {"domicilio-provincia", &Agenzia::odpro, "Provincia del domicilio (PF)"},
};

} // namespace

QList<Opzione> ComandoAgenzia::opzioni() const
{
    QList<Opzione> opzioni{
        Opzione::conValore(QStringLiteral("codice"), QStringLiteral("CF"),
                           QStringLiteral("codice fiscale con cui l'agenzia è registrata all'OAM")),
        Opzione::conValore(QStringLiteral("tipo"), QStringLiteral("PNF|PF"),
                           QStringLiteral("PNF persona non fisica (società, predefinito), PF "
                                          "persona fisica"))};
    // The help names a field's option alone: its value is the field.
    for (const Campo& c : kCampi) {
        const QString nome = QString::fromLatin1(c.nome);
        opzioni.append(
            {QCommandLineOption(nome, QString::fromUtf8(c.spiegazione), QStringLiteral("VALORE")),
             QStringLiteral("--") + nome});
    }
    return opzioni;
}

int ComandoAgenzia::esegui(Ambiente& ambiente, const Argomenti& argomenti, QTextStream& out,
                           QTextStream& err)
{
    // Every argument here is an option with its value: an argument left last
    // lacks its value, any other that is not an option is unknown.
    if (const QStringList& resto = argomenti.resto(); resto.size() == 1) {
        err << "Manca il valore di " << resto.first() << Qt::endl;
        return Uscita::fallito;
    } else if (!resto.isEmpty()) {
        err << "Opzione sconosciuta: " << resto.first() << " (zefirante-cli agenzia --help)"
            << Qt::endl;
        return Uscita::fallito;
    }
    QString codice = argomenti.valore(QStringLiteral("codice"));
    const QString tipo = argomenti.valore(QStringLiteral("tipo")).trimmed().toUpper();
    if (!tipo.isEmpty() && tipo != QLatin1String("PF") && tipo != QLatin1String("PNF")) {
        err << "Tipo non valido: " << tipo << " (PNF o PF)" << Qt::endl;
        return Uscita::fallito;
    }
    codice = normalizzaCampo(codice);
    const auto esistente = ArchivioAgenzie::carica(ambiente.db(), codice);
    if (segnalaErrore(esistente, err))
        return Uscita::fallito;
    Agenzia agenzia = esistente.valore().value_or(Agenzia{});
    agenzia.ocod = agenzia.ocf = codice;
    if (!tipo.isEmpty())
        agenzia.ostp = tipo == QLatin1String("PF") ? QStringLiteral("F") : QStringLiteral("G");
    if (agenzia.ostp.isEmpty())
        agenzia.ostp = QStringLiteral("G");
    for (const Campo& c : kCampi) {
        if (argomenti.ha(QString::fromLatin1(c.nome)))
            agenzia.*(c.campo) = argomenti.valore(QString::fromLatin1(c.nome));
    }
    normalizza(agenzia);

    // The window checks a typed birth date when the field is left, and keeps it as dd/mm/yyyy.
    if (agenzia.personaFisica() && !agenzia.ondt.trimmed().isEmpty()) {
        QString data = agenzia.ondt.trimmed(), normalizzata;
        if (ControllaData(data, &normalizzata) != 2) {
            err << "vONDT: Data non valida" << Qt::endl;
            return Uscita::fallito;
        }
        agenzia.ondt = normalizzata;
    }
    if (const auto errore = Controlla(agenzia)) {
        err << errore->campo << ": " << errore->messaggio << Qt::endl;
        return Uscita::fallito;
    }
    if (segnalaErrore(ArchivioAgenzie::salva(ambiente.db(), agenzia), err))
        return Uscita::fallito;
    const auto salvata = ArchivioAgenzie::carica(ambiente.db(), agenzia.ocod);
    out << "Agenzia " << agenzia.ocod << " registrata: "
        << (salvata.ok() && salvata.valore() ? salvata.valore()->orag : agenzia.orag) << Qt::endl;
    return Uscita::fatto;
}
