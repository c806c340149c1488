#include "fogli/ParserXml.h"

#include "fogli/ScansioneXml.h"

#include <QByteArray>
#include <cstring>
#include <expat.h>

ParserXml::ParserXml(Motore motore)
{
    if (motore == Motore::scansione) {
        m_scansione = std::make_unique<ScansioneXml>(this, &ParserXml::suInizio, &ParserXml::suFine,
                                                     &ParserXml::suTesto);
        return;
    }
    m_parser = XML_ParserCreate("UTF-8");
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &ParserXml::suInizio, &ParserXml::suFine);
    XML_SetCharacterDataHandler(m_parser, &ParserXml::suTesto);
}

ParserXml::~ParserXml()
{
    if (m_parser)
        XML_ParserFree(m_parser);
}

void ParserXml::suInizio(void* dati, const char* nome, const char** attributi)
{
    static_cast<ParserXml*>(dati)->inizio(nomeLocale(nome), attributi);
}

void ParserXml::suFine(void* dati, const char* nome)
{
    static_cast<ParserXml*>(dati)->fine(nomeLocale(nome));
}

void ParserXml::suTesto(void* dati, const char* s, int n)
{
    static_cast<ParserXml*>(dati)->testo(std::string_view(s, static_cast<std::size_t>(n)));
}

std::string_view ParserXml::nomeLocale(const char* nome)
{
    // One pass for the prefix and the length: this runs for every element
    // and attribute of a sheet.
    const char* locale = nome;
    const char* p = nome;
    for (; *p; ++p)
        if (*p == ':')
            locale = p + 1;
    return std::string_view(locale, static_cast<std::size_t>(p - locale));
}

const char* ParserXml::attributo(const char** attributi, std::string_view nome)
{
    for (; attributi && *attributi; attributi += 2)
        if (nomeLocale(attributi[0]) == nome)
            return attributi[1];
    return nullptr;
}

void ParserXml::ferma()
{
    if (!m_fermato) {
        m_fermato = true;
        if (m_scansione)
            m_scansione->ferma();
        else
            XML_StopParser(m_parser, XML_FALSE);
    }
}

Errore ParserXml::erroreDocumento(const QString& parte, qint64 riga, const char* motivo)
{
    return Errore{
        QStringLiteral("Cartella di lavoro Excel non valida: %1 illeggibile alla riga %2 (%3).")
            .arg(parte)
            .arg(riga)
            .arg(QString::fromLatin1(motivo))};
}

EsitoVuoto ParserXml::analizza(const char* dati, qsizetype n, bool ultimo, const QString& parte)
{
    if (m_fermato)
        return {};
    if (m_scansione) {
        if (m_scansione->analizza(dati, n, ultimo) || m_fermato)
            return {};
        return erroreDocumento(parte, m_scansione->riga(), m_scansione->errore());
    }
    // expat takes an int length: hand over large blocks in slices.
    constexpr qsizetype kFetta = 1 << 30;
    do {
        const qsizetype fetta = qMin(n, kFetta);
        const bool ultimaFetta = ultimo && fetta == n;
        if (XML_Parse(m_parser, dati, static_cast<int>(fetta),
                      ultimaFetta ? XML_TRUE : XML_FALSE) == XML_STATUS_ERROR) {
            if (m_fermato)
                return {};
            return erroreDocumento(parte, static_cast<qint64>(XML_GetCurrentLineNumber(m_parser)),
                                   XML_ErrorString(XML_GetErrorCode(m_parser)));
        }
        if (m_fermato)
            return {};
        dati += fetta;
        n -= fetta;
    } while (n > 0);
    return {};
}

EsitoVuoto ParserXml::analizzaTutto(const QByteArray& dati, const QString& parte)
{
    return analizza(dati.constData(), dati.size(), true, parte);
}
