#include "cli/ComandoAgenzia.h"

#include "base/Date.h"
#include "registry/ArchivioAgenzie.h"
#include "registry/ControllaAgenzia.h"
#include "shell/Ambiente.h"

#include <QTextStream>

namespace {

struct Opzione
{
    const char* nome;
    QString Agenzia::*campo;
    const char* spiegazione;
};

// One option per field of the agency window, named as its label.
const Opzione kOpzioni[] = {
    {"--partita-iva", &Agenzia::opiva, "Partita IVA"},
    {"--ragione-sociale", &Agenzia::orag, "Ragione Sociale (PNF)"},
    {"--sede-comune", &Agenzia::oscom, "Sede legale (Località) (PNF)"},
    {"--sede-provincia", &Agenzia::ospro, "Provincia della sede legale (PNF)"},
    {"--stabile-comune", &Agenzia::osocom, "Comune Stabile Organizzazione (PNF)"},
    {"--stabile-provincia", &Agenzia::osopro, "Provincia della stabile organizzazione (PNF)"},
    {"--cognome", &Agenzia::ocog, "Cognome (PF)"},
    {"--nome", &Agenzia::onome, "Nome (PF)"},
    {"--sesso", &Agenzia::osex, "Sesso, M o F (PF)"},
    {"--data-nascita", &Agenzia::ondt, "Data di nascita (PF)"},
    {"--comune-nascita", &Agenzia::oncom, "Comune o Stato Estero di nascita (PF)"},
    {"--provincia-nascita", &Agenzia::onpro, "Provincia di nascita (PF)"},
    {"--cittadinanza", &Agenzia::ocittad,
     "Cittadinanza: 01=Italiana, 02=Comunitaria, 03=ExtraComunitaria (PF)"},
    {"--domicilio-comune", &Agenzia::odcom, "Domicilio (in Italia) (PF)"},
    {"--domicilio-provincia", &Agenzia::odpro, "Provincia del domicilio (PF)"},
};

void aiuto(QTextStream& out)
{
    out << "Uso: zefirante-cli agenzia --codice CF [--tipo PNF|PF] [campi]\n\n"
           "  --codice CF                codice fiscale con cui l'agenzia è registrata all'OAM\n"
           "  --tipo PNF|PF              PNF persona non fisica (società, predefinito), PF persona "
           "fisica\n";
    for (const Opzione& o : kOpzioni)
        out << "  " << QString::fromLatin1(o.nome).leftJustified(26) << ' '
            << QString::fromUtf8(o.spiegazione) << '\n';
    out << "\nI campi non indicati restano quelli registrati.\n";
    out.flush();
}

} // namespace

int ComandoAgenzia::esegui(Ambiente& ambiente, const QStringList& argomenti, QTextStream& out,
                           QTextStream& err)
{
    QString codice, tipo;
    std::vector<std::pair<const Opzione*, QString>> valori;
    for (qsizetype i = 0; i < argomenti.size(); ++i) {
        const QString& a = argomenti[i];
        if (a == QLatin1String("--help")) {
            aiuto(out);
            return Uscita::fatto;
        }
        if (i + 1 == argomenti.size()) {
            err << "Manca il valore di " << a << Qt::endl;
            return Uscita::fallito;
        }
        const QString valore = argomenti[++i];
        if (a == QLatin1String("--codice"))
            codice = valore;
        else if (a == QLatin1String("--tipo"))
            tipo = valore.trimmed().toUpper();
        else {
            const auto trovata =
                std::find_if(std::begin(kOpzioni), std::end(kOpzioni),
                             [&a](const Opzione& o) { return a == QLatin1String(o.nome); });
            if (trovata == std::end(kOpzioni)) {
                err << "Opzione sconosciuta: " << a << " (zefirante-cli agenzia --help)"
                    << Qt::endl;
                return Uscita::fallito;
            }
            valori.emplace_back(trovata, valore);
        }
    }
    if (!tipo.isEmpty() && tipo != QLatin1String("PF") && tipo != QLatin1String("PNF")) {
        err << "Tipo non valido: " << tipo << " (PNF o PF)" << Qt::endl;
        return Uscita::fallito;
    }
    codice = normalizzaCampo(codice);
    const auto esistente = ArchivioAgenzie::carica(ambiente.db(), codice);
    if (!esistente) {
        err << esistente.errore() << Qt::endl;
        return Uscita::fallito;
    }
    Agenzia agenzia = esistente.valore().value_or(Agenzia{});
    agenzia.ocod = agenzia.ocf = codice;
    if (!tipo.isEmpty())
        agenzia.ostp = tipo == QLatin1String("PF") ? QStringLiteral("F") : QStringLiteral("G");
    if (agenzia.ostp.isEmpty())
        agenzia.ostp = QStringLiteral("G");
    for (const auto& [opzione, valore] : valori)
        agenzia.*(opzione->campo) = valore;
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
    if (auto salvata = ArchivioAgenzie::salva(ambiente.db(), agenzia); !salvata) {
        err << salvata.errore() << Qt::endl;
        return Uscita::fallito;
    }
    const auto salvata = ArchivioAgenzie::carica(ambiente.db(), agenzia.ocod);
    out << "Agenzia " << agenzia.ocod << " registrata: "
        << (salvata.ok() && salvata.valore() ? salvata.valore()->orag : agenzia.orag) << Qt::endl;
    return Uscita::fatto;
}
