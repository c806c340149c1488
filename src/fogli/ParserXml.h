#pragma once

#include "base/Esito.h"

#include <QString>
#include <memory>
#include <string_view>

struct XML_ParserStruct;
class ScansioneXml;

// A thin event reader over expat, fed in blocks, so a part of any size is
// parsed with the memory of one block. Element and attribute names reach the
// handlers without their namespace prefix ("x:row" -> "row"): workbooks from
// different writers use different prefixes for the same elements.
class ParserXml
{
public:
    // expat for the small parts; the worksheet, by far the largest, is
    // read by a scanner of our own that does the same three times faster.
    enum class Motore
    {
        expat,
        scansione,
    };

    explicit ParserXml(Motore motore = Motore::expat);
    virtual ~ParserXml();
    ParserXml(const ParserXml&) = delete;
    ParserXml& operator=(const ParserXml&) = delete;

    // One block of the document; `ultimo` for the last one. An error names
    // the part and the line of the document where it stopped.
    EsitoVuoto analizza(const char* dati, qsizetype n, bool ultimo, const QString& parte);
    // Parses a whole document held in memory.
    EsitoVuoto analizzaTutto(const QByteArray& dati, const QString& parte);

protected:
    // `attributi` is expat's array: name, value, name, value, ..., null.
    virtual void inizio(std::string_view nome, const char** attributi) = 0;
    virtual void fine(std::string_view nome) = 0;
    virtual void testo(std::string_view) {}

    // Ends the parse early (the reader has what it needs); not an error.
    void ferma();
    static std::string_view nomeLocale(const char* nome);
    // The value of the attribute with this local name, or null.
    static const char* attributo(const char** attributi, std::string_view nome);

private:
    static Errore erroreDocumento(const QString& parte, qint64 riga, const char* motivo);
    static void suInizio(void* dati, const char* nome, const char** attributi);
    static void suFine(void* dati, const char* nome);
    static void suTesto(void* dati, const char* s, int n);

    XML_ParserStruct* m_parser = nullptr;
    std::unique_ptr<ScansioneXml> m_scansione;
    bool m_fermato = false;
};
