#pragma once

// Lets GoogleTest print Qt values readably in failure messages.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <ostream>

inline void PrintTo(const QString& testo, std::ostream* os)
{
    *os << '"' << testo.toStdString() << '"';
}

inline void PrintTo(const QByteArray& byte, std::ostream* os)
{
    *os << "QByteArray(\"" << byte.toStdString() << "\")";
}

inline void PrintTo(const QStringList& elenco, std::ostream* os)
{
    *os << '[' << elenco.join(QStringLiteral("|")).toStdString() << ']';
}

inline void PrintTo(const QVariant& valore, std::ostream* os)
{
    *os << "QVariant(" << valore.typeName() << ", " << valore.toString().toStdString() << ')';
}
