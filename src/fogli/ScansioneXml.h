#pragma once

#include <QByteArray>
#include <string>
#include <string_view>
#include <vector>

// A reader of well-formed XML in UTF-8, fed in blocks, for the one part of
// a workbook that is large: the worksheet (500,000 rows are half a
// gigabyte of XML). It does what expat does for such a part, with the same
// handlers (element start with its attributes, element end, text), and
// about three times faster, since it knows no DTD: a document type
// declaration is an error, as are entities other than the five of XML and
// character references. Everything else that makes a document ill-formed
// is an error too: mismatched or unclosed tags, a bad name, an attribute
// twice, an unquoted value, '<' or '&' out of place, bytes that are no
// UTF-8, control characters, text outside the root element.
class ScansioneXml
{
public:
    using Inizio = void (*)(void* dati, const char* nome, const char** attributi);
    using Fine = void (*)(void* dati, const char* nome);
    using Testo = void (*)(void* dati, const char* s, int n);

    ScansioneXml(void* dati, Inizio inizio, Fine fine, Testo testo);

    // One block; `ultimo` for the last. False at the first fault: then
    // errore() says what (in expat's words) and riga() on which line.
    bool analizza(const char* dati, qsizetype n, bool ultimo);
    // Stops at once, from inside a handler: the rest is not looked at.
    void ferma() { m_fermato = true; }

    const char* errore() const { return m_errore; }
    qint64 riga() const { return m_riga; }

private:
    // The outcome of one piece of the document.
    enum class Passo
    {
        fatto,      // consumed
        incompleto, // runs past the bytes there are: wait for the next block
        errore,
    };

    bool scandisci(const char* inizio, const char* fine, bool ultimo, const char*& fermo,
                   const char* limite);
    bool chiudiBlocco(const char* fermo, const char* fine, bool ultimo);
    Passo testo(const char*& p, const char* fine, bool ultimo);
    Passo marcatura(const char*& p, const char* fine);
    Passo inizioElemento(const char*& p, const char* fine);
    Passo fineElemento(const char*& p, const char* fine);
    Passo speciale(const char*& p, const char* fine);
    enum class Contenuto
    {
        testo,
        valore, // of an attribute
        grezzo, // a CDATA section, a comment, a processing instruction
    };
    bool decodifica(const char* p, const char* fine, std::string& destinazione,
                    Contenuto contenuto);
    bool sbaglia(const char* errore);
    void chiudiUltimo();

    void* m_dati;
    Inizio m_inizio;
    Fine m_fine;
    Testo m_testo;

    std::string m_resto; // an incomplete piece of the last block
    // The names of the open elements, outermost first, each ending in NUL,
    // and where each begins.
    std::string m_nomiAperti;
    std::vector<std::size_t> m_aperti;
    bool m_inizioDocumento = true; // nothing read yet
    bool m_radiceVista = false;
    bool m_fermato = false;
    const char* m_errore = nullptr;
    qint64 m_riga = 1; // of the bytes consumed so far

    // Reused for every element: its attributes, each name and value ending in NUL.
    std::string m_byteAttributi;
    std::vector<std::size_t> m_posizioni;
    std::vector<const char*> m_attributi;
    std::string m_testoDecodificato;
};
