#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <variant>

// The outcome of a core operation: a value, or an error carrying the Italian
// description that a window shows to the user (or the CLI prints). The core
// never shows anything itself.
struct Errore
{
    QString descrizione;
    // A number shown beside the description where the user is given one (the
    // report layer's "Errore: 3  ...", see CodiceStampa); 0 for none.
    int numero = 0;
};

template <typename T> class [[nodiscard]] Esito
{
public:
    Esito(T valore) : m_stato(std::move(valore)) {}
    Esito(Errore errore) : m_stato(std::move(errore)) {}

    bool ok() const { return std::holds_alternative<T>(m_stato); }
    explicit operator bool() const { return ok(); }

    const T& valore() const& { return std::get<T>(m_stato); }
    T& valore() & { return std::get<T>(m_stato); }
    T&& valore() && { return std::get<T>(std::move(m_stato)); }
    const T& operator*() const& { return valore(); }
    const T* operator->() const { return &valore(); }

    // The description: what nearly every caller shows or passes on.
    const QString& errore() const { return dettaglio().descrizione; }
    // The whole error, number included, to pass it on as it is.
    const Errore& dettaglio() const { return std::get<Errore>(m_stato); }

private:
    std::variant<T, Errore> m_stato;
};

template <> class [[nodiscard]] Esito<void>
{
public:
    Esito() = default;
    Esito(Errore errore) : m_errore(std::move(errore)) {}

    bool ok() const { return !m_errore.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString& errore() const { return dettaglio().descrizione; }
    const Errore& dettaglio() const { return *m_errore; }

private:
    std::optional<Errore> m_errore;
};

using EsitoVuoto = Esito<void>;
