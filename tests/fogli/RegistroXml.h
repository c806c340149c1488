#pragma once

// The events of an XML reader as texts, for comparing the worksheet's
// scanner with expat: an element start with its attributes, an end, a text
// (pieces of one text joined, since expat may cut it).
#include "fogli/ParserXml.h"

#include <QStringList>
#include <algorithm>

namespace RegistroXml {

class Registro final : public ParserXml
{
public:
    explicit Registro(Motore motore) : ParserXml(motore) {}
    QStringList eventi;

protected:
    void inizio(std::string_view nome, const char** attributi) override
    {
        QString evento = QStringLiteral("<") + QString::fromUtf8(nome.data(), nome.size());
        for (const char** a = attributi; *a; a += 2)
            evento +=
                QStringLiteral(" %1=[%2]").arg(QString::fromUtf8(a[0]), QString::fromUtf8(a[1]));
        eventi << evento;
    }
    void fine(std::string_view nome) override
    {
        eventi << QStringLiteral("/") + QString::fromUtf8(nome.data(), nome.size());
    }
    void testo(std::string_view s) override
    {
        // expat may hand one text over in pieces.
        const QString t = QString::fromUtf8(s.data(), s.size());
        if (!eventi.isEmpty() && eventi.last().startsWith(QLatin1Char('#')))
            eventi.last() += t;
        else
            eventi << QStringLiteral("#") + t;
    }
};

struct Lettura
{
    QStringList eventi;
    bool ok = false;
};

inline Lettura leggi(ParserXml::Motore motore, const QByteArray& documento, qsizetype blocco)
{
    Registro registro(motore);
    Lettura l;
    l.ok = true;
    for (qsizetype i = 0; l.ok && i <= documento.size(); i += blocco) {
        const qsizetype n = std::min(blocco, documento.size() - i);
        const bool ultimo = i + n >= documento.size();
        l.ok = registro.analizza(documento.constData() + i, n, ultimo, QStringLiteral("p")).ok();
        if (ultimo)
            break;
    }
    l.eventi = registro.eventi;
    return l;
}

} // namespace RegistroXml
