#include "storage/DescrizioneTabella.h"

#include "base/Date.h"
#include "storage/Apici.h"
#include "storage/Connessione.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>

namespace {

// The database compares codes case-insensitively over the Latin letters only
// (its NOCASE collation); the cache folds the same way so both always agree.
constexpr char16_t piega(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

int confronta(QStringView a, QStringView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = piega(a[i].unicode());
        const char16_t y = piega(b[i].unicode());
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A code of the table against one looked up, as text or as Latin-1 bytes.
template <typename Testo> bool uguali(QStringView a, Testo b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (piega(a[i].unicode()) != piega(b[i].unicode()))
            return false;
    }
    return true;
}

// FNV-1a over the folded characters: codes that compare equal hash alike.
template <typename Testo> quint32 impronta(Testo codice)
{
    quint32 h = 2166136261u;
    for (qsizetype i = 0; i < codice.size(); ++i)
        h = (h ^ piega(codice[i].unicode())) * 16777619u;
    return h;
}

Errore erroreLettura(const QSqlQuery& query)
{
    return Errore{Connessione::descrizione(query.lastError())};
}

} // namespace

Esito<QString> DescrizioneTabella(const Connessione& connessione, const QString& tipo,
                                  const QString& codice)
{
    auto esito =
        connessione.esegui(QStringLiteral("SELECT * From CTAB where TIPO=") + Sql::Apici(tipo) +
                           QStringLiteral(" AND COD=") + Sql::Apici(codice));
    if (!esito)
        return Errore{esito.errore()};
    QSqlQuery& query = esito.valore();
    if (!query.next()) {
        if (query.lastError().isValid())
            return erroreLettura(query);
        return QString();
    }
    return TestoCampo(query.value(query.record().indexOf(QStringLiteral("DES"))));
}

Esito<TabellaCodici> TabellaCodici::carica(const Connessione& connessione, const QString& tipo)
{
    auto esito = connessione.esegui(QStringLiteral("SELECT COD, DES From CTAB where TIPO=") +
                                    Sql::Apici(tipo));
    if (!esito)
        return Errore{esito.errore()};
    QSqlQuery& query = esito.valore();

    TabellaCodici tabella;
    while (query.next()) {
        // A row without a code matches no lookup, not even of the empty code.
        if (query.value(0).isNull())
            continue;
        tabella.m_voci.emplace_back(query.value(0).toString(), TestoCampo(query.value(1)));
    }
    if (query.lastError().isValid())
        return erroreLettura(query);

    // stable_sort keeps the database's order among equal codes, so the first
    // of them is the row a single lookup would have found.
    std::stable_sort(tabella.m_voci.begin(), tabella.m_voci.end(),
                     [](const auto& a, const auto& b) { return confronta(a.first, b.first) < 0; });
    tabella.m_voci.erase(
        std::unique(tabella.m_voci.begin(), tabella.m_voci.end(),
                    [](const auto& a, const auto& b) { return confronta(a.first, b.first) == 0; }),
        tabella.m_voci.end());
    tabella.indicizza();
    return tabella;
}

void TabellaCodici::indicizza()
{
    std::size_t dimensione = 8;
    while (dimensione < 2 * m_voci.size())
        dimensione *= 2;
    m_indice.assign(dimensione, 0);
    const std::size_t maschera = dimensione - 1;
    for (std::size_t v = 0; v < m_voci.size(); ++v) {
        std::size_t i = impronta(QStringView(m_voci[v].first)) & maschera;
        while (m_indice[i] != 0)
            i = (i + 1) & maschera;
        m_indice[i] = static_cast<qint32>(v + 1);
    }
}

template <typename Testo> const std::pair<QString, QString>* TabellaCodici::voce(Testo codice) const
{
    if (m_indice.empty())
        return nullptr;
    const std::size_t maschera = m_indice.size() - 1;
    // The index always has free slots, so the probe ends.
    for (std::size_t i = impronta(codice) & maschera;; i = (i + 1) & maschera) {
        const qint32 posto = m_indice[i];
        if (posto == 0)
            return nullptr;
        const auto& trovata = m_voci[static_cast<std::size_t>(posto - 1)];
        if (uguali(trovata.first, codice))
            return &trovata;
    }
}

QString TabellaCodici::descrizione(QStringView codice) const
{
    const auto* trovata = voce(codice);
    return trovata ? trovata->second : QString();
}

// Without a copy of the description: the import asks this twice a row.
bool TabellaCodici::contiene(QStringView codice) const
{
    const auto* trovata = voce(codice);
    return trovata && !trovata->second.isEmpty();
}

bool TabellaCodici::contiene(QLatin1StringView codice) const
{
    const auto* trovata = voce(codice);
    return trovata && !trovata->second.isEmpty();
}
