#include "registry/ControllaAgenzia.h"

namespace {

bool vuoto(const QString& testo)
{
    return testo.isEmpty();
}

bool bianco(const QString& testo)
{
    return testo.trimmed().isEmpty();
}

} // namespace

QString normalizzaCampo(const QString& testo)
{
    qsizetype inizio = 0;
    while (inizio < testo.size() && testo.at(inizio) == QLatin1Char(' '))
        ++inizio;
    return testo.mid(inizio).toUpper();
}

void normalizza(Agenzia& a)
{
    for (QString* campo :
         {&a.ocod, &a.ocf, &a.opiva, &a.orag, &a.ostp, &a.oscom, &a.ospro, &a.osocom, &a.osopro,
          &a.ocog, &a.onome, &a.osex, &a.ondt, &a.oncom, &a.onpro, &a.ocittad, &a.odcom, &a.odpro})
        *campo = normalizzaCampo(*campo);
}

std::optional<CampoErrato> Controlla(const Agenzia& a)
{
    const QString obbligatorio = QStringLiteral("Campo Obbligatorio");
    if (vuoto(a.ocod))
        return CampoErrato{QStringLiteral("tOCOD"), obbligatorio};
    if (vuoto(a.ocf))
        return CampoErrato{QStringLiteral("vOCF"), QStringLiteral("Codice Fiscale obbligatorio.")};
    if (!a.personaFisica()) {
        if (vuoto(a.orag))
            return CampoErrato{QStringLiteral("torag"),
                               QStringLiteral("Ragione Sociale Soggetto - campo non valido.")};
        if (bianco(a.oscom))
            return CampoErrato{QStringLiteral("vOSCOM"), obbligatorio};
        if (bianco(a.ospro))
            return CampoErrato{QStringLiteral("vOSPRO"), obbligatorio};
        return std::nullopt;
    }
    const std::pair<const QString*, const char*> persona[] = {
        {&a.ocog, "vOCOG"},   {&a.onome, "vONOME"}, {&a.osex, "vOSEX"},   {&a.ondt, "vONDT"},
        {&a.oncom, "vONCOM"}, {&a.onpro, "vONPRO"}, {&a.odcom, "vODCOM"}, {&a.odpro, "vODPRO"},
    };
    for (const auto& [valore, campo] : persona) {
        if (bianco(*valore))
            return CampoErrato{QString::fromLatin1(campo), obbligatorio};
    }
    return std::nullopt;
}
