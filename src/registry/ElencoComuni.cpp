#include "registry/ElencoComuni.h"

#include "storage/Connessione.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace {

bool primaDi(const std::pair<QString, qsizetype>& voce, QStringView chiave)
{
    return QStringView(voce.first) < chiave;
}

} // namespace

ElencoComuni::ElencoComuni(const Connessione& connessione) : m_connessione(connessione) {}

EsitoVuoto ElencoComuni::ApriComuni()
{
    auto query =
        m_connessione.esegui(QStringLiteral("SELECT * From T_COMUNI ORDER BY T_COMUNI.COMUNE"));
    if (!query)
        return Errore{query.errore()};
    QSqlQuery& righe = query.valore();
    const QSqlRecord campi = righe.record();
    const int comune = campi.indexOf(QStringLiteral("COMUNE"));
    const int pro = campi.indexOf(QStringLiteral("PRO"));
    const int cab = campi.indexOf(QStringLiteral("CAB"));
    if (comune < 0 || pro < 0)
        return Errore{QStringLiteral("La tabella T_COMUNI non ha le colonne COMUNE e PRO.")};

    QList<Comune> comuni;
    while (righe.next())
        comuni.append({righe.value(comune).toString(), righe.value(pro).toString(),
                       cab < 0 ? QString() : righe.value(cab).toString()});
    if (righe.lastError().isValid())
        return Errore{Connessione::descrizione(righe.lastError())};

    QList<std::pair<QString, qsizetype>> indice;
    indice.reserve(comuni.size());
    for (qsizetype i = 0; i < comuni.size(); ++i)
        indice.append({comuni[i].comune.toCaseFolded(), i});
    std::sort(indice.begin(), indice.end()); // by name, then by table position

    m_comuni = std::move(comuni);
    m_indice = std::move(indice);
    m_aperti = true;
    return {};
}

const Comune* ElencoComuni::cercaInizio(QStringView prefisso) const
{
    const QString chiave = prefisso.toString().toCaseFolded();
    // The names that begin with the prefix are together in the sorted index;
    // the first of them in table order is the one with the lowest position.
    auto it = std::lower_bound(m_indice.cbegin(), m_indice.cend(), QStringView(chiave), primaDi);
    qsizetype migliore = -1;
    for (; it != m_indice.cend() && it->first.startsWith(chiave); ++it)
        if (migliore < 0 || it->second < migliore)
            migliore = it->second;
    return migliore < 0 ? nullptr : &m_comuni[migliore];
}

const Comune* ElencoComuni::cercaEsatto(QStringView nome) const
{
    const QString chiave = nome.toString().toCaseFolded();
    auto it = std::lower_bound(m_indice.cbegin(), m_indice.cend(), QStringView(chiave), primaDi);
    // Equal names are ordered by position, so the first is the first in the table.
    if (it == m_indice.cend() || it->first != chiave)
        return nullptr;
    return &m_comuni[it->second];
}

Esito<std::optional<Completamento>> CompletaTesto(ElencoComuni& elenco, const QString& testo,
                                                  int cursore)
{
    qsizetype spazi = 0;
    while (spazi < testo.size() && testo[spazi] == QLatin1Char(' '))
        ++spazi;
    if (spazi == testo.size())
        return std::optional<Completamento>();
    if (!elenco.ComuniAperti())
        if (auto aperto = elenco.ApriComuni(); !aperto)
            return Errore{aperto.errore()};
    const qsizetype prima = std::clamp<qsizetype>(cursore - spazi, 0, testo.size() - spazi);
    if (prima == 0)
        return std::optional<Completamento>();
    const Comune* trovato = elenco.cercaInizio(QStringView(testo).mid(spazi, prima));
    if (!trovato)
        return std::optional<Completamento>();
    return std::optional<Completamento>(
        Completamento{trovato->comune, trovato->pro, static_cast<int>(prima)});
}
