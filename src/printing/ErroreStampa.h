#pragma once

#include <QString>
#include <optional>
#include <utility>
#include <variant>

// The failures of the report layer. Each carries a number as well as its
// Italian description, because the print window shows both ("Errore: 3  ...")
// and the number tells the assistance line at a glance what went wrong.
enum class CodiceStampa : int
{
    ModelloMancante = 1,  // the template file is missing or unreadable
    ModelloNonValido = 2, // the template's text breaks the format
    NomeSconosciuto = 3,  // a dataset or connection the template does not declare, or no SQL for it
    Connessione = 4,      // the database named by the connection string does not open
    Dati = 5,             // the dataset's SQL fails
    Scrittura = 6,        // the PDF file cannot be written
    Pagina = 7,           // the page cannot hold the list (margins or font too large)
};

struct ErroreStampa
{
    CodiceStampa codice;
    QString descrizione;

    int numero() const { return static_cast<int>(codice); }
};

// A value or an ErroreStampa, like Esito but with the number kept.
template <typename T = void> class [[nodiscard]] EsitoStampa
{
public:
    EsitoStampa(T valore) : m_stato(std::move(valore)) {}
    EsitoStampa(ErroreStampa errore) : m_stato(std::move(errore)) {}
    EsitoStampa(CodiceStampa codice, QString descrizione)
        : m_stato(ErroreStampa{codice, std::move(descrizione)})
    {
    }

    bool ok() const { return std::holds_alternative<T>(m_stato); }
    explicit operator bool() const { return ok(); }
    const T& valore() const& { return std::get<T>(m_stato); }
    T&& valore() && { return std::get<T>(std::move(m_stato)); }
    const ErroreStampa& errore() const { return std::get<ErroreStampa>(m_stato); }

private:
    std::variant<T, ErroreStampa> m_stato;
};

template <> class [[nodiscard]] EsitoStampa<void>
{
public:
    EsitoStampa() = default;
    EsitoStampa(ErroreStampa errore) : m_errore(std::move(errore)) {}
    EsitoStampa(CodiceStampa codice, QString descrizione)
        : m_errore(ErroreStampa{codice, std::move(descrizione)})
    {
    }

    bool ok() const { return !m_errore.has_value(); }
    explicit operator bool() const { return ok(); }
    const ErroreStampa& errore() const { return *m_errore; }

private:
    std::optional<ErroreStampa> m_errore;
};
