#include "backup/ValoriArchivio.h"

#include "common/Date.h"
#include "common/FormatoItaliano.h"

#include <QDate>
#include <QDateTime>
#include <QRegularExpression>

#include <cmath>

namespace {

// What a stored number may look like when the database holds it as text.
double numeroMemorizzato(const QVariant& valore, bool* ok)
{
    if (valore.metaType().id() == QMetaType::QString) {
        const QString testo = valore.toString().trimmed();
        double numero = testo.toDouble(ok);
        if (!*ok)
            numero = FormatoItaliano::locale().toDouble(testo, ok);
        return numero;
    }
    return valore.toDouble(ok);
}

QDateTime momentoMemorizzato(const QVariant& valore)
{
    if (valore.metaType().id() == QMetaType::QDateTime)
        return valore.toDateTime();
    if (valore.metaType().id() == QMetaType::QDate)
        return QDateTime(valore.toDate(), QTime(0, 0));
    const QString testo = valore.toString().trimmed();
    QDateTime momento = QDateTime::fromString(testo, Qt::ISODate);
    if (!momento.isValid())
        momento = QDateTime::fromString(testo, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return momento;
}

// The archive's own number form, plus the Italian form with thousands dots
// that a hand-made archive may hold.
Esito<double> leggiNumero(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral(R"(^([+-]?)(\d*)(?:,(\d*))?$)"));
    const QString pulito = testo.trimmed();
    double numero = 0;
    bool ok = false;
    if (const auto trovato = forma.match(pulito);
        trovato.hasMatch() && (trovato.capturedLength(2) > 0 || trovato.capturedLength(3) > 0 ||
                               pulito.endsWith(QLatin1Char(',')))) {
        const QString cPunto = (trovato.capturedLength(2) ? trovato.captured(2) : QStringLiteral("0")) +
                               QLatin1Char('.') +
                               (trovato.capturedLength(3) ? trovato.captured(3) : QStringLiteral("0"));
        numero = cPunto.toDouble(&ok);
        if (trovato.captured(1) == QLatin1String("-"))
            numero = -numero;
    } else {
        numero = FormatoItaliano::locale().toDouble(pulito, &ok);
    }
    if (!ok || !std::isfinite(numero))
        return Errore{QStringLiteral("\"%1\" non è un numero.").arg(testo)};
    return numero;
}

Esito<QDateTime> leggiMomento(const QString& testo)
{
    const QString pulito = testo.trimmed();
    static const QString forme[] = {QStringLiteral("dd/MM/yyyy HH:mm:ss"), QStringLiteral("d/M/yyyy H:mm:ss"),
                                    QStringLiteral("dd/MM/yyyy"), QStringLiteral("d/M/yyyy"),
                                    QStringLiteral("yyyy-MM-dd HH:mm:ss"), QStringLiteral("yyyy-MM-dd")};
    for (const QString& forma : forme) {
        const QDateTime momento = QDateTime::fromString(pulito, forma);
        if (momento.isValid())
            return momento;
    }
    return Errore{QStringLiteral("\"%1\" non è una data.").arg(testo)};
}

} // namespace

QString ValoriArchivio::numero(double valore)
{
    if (!std::isfinite(valore))
        return {};
    // Rounded to hundredths first, so 0,999 becomes "1," and not ",100".
    const double arrotondato = std::round(valore * 100.0) / 100.0;
    QString cifre = QString::number(std::fabs(arrotondato), 'f', 2);
    while (cifre.endsWith(QLatin1Char('0')))
        cifre.chop(1);
    if (cifre.startsWith(QLatin1String("0.")))
        cifre.remove(0, 1);
    cifre.replace(QLatin1Char('.'), QLatin1Char(','));
    if (arrotondato < 0)
        cifre.prepend(QLatin1Char('-'));
    return cifre;
}

QString ValoriArchivio::testo(const QVariant& valore, TipoCampo tipo)
{
    const QString comeTesto = TestoCampo(valore);
    if (comeTesto.isEmpty())
        return {};
    switch (tipo) {
    case TipoCampo::Numero: {
        bool ok = false;
        const double n = numeroMemorizzato(valore, &ok);
        return ok ? numero(n) : comeTesto;
    }
    case TipoCampo::Data: {
        const QString data = FormattaData(valore);
        return data.isEmpty() ? comeTesto : data;
    }
    case TipoCampo::DataOra: {
        const QDateTime momento = momentoMemorizzato(valore);
        return momento.isValid() ? FormatoItaliano::dataOra(momento) : comeTesto;
    }
    case TipoCampo::Testo:
        break;
    }
    return comeTesto;
}

Esito<QVariant> ValoriArchivio::valore(const QString& testo, TipoCampo tipo)
{
    const bool vuoto = testo.trimmed().isEmpty();
    switch (tipo) {
    case TipoCampo::Testo:
        return QVariant(vuoto ? QStringLiteral("") : testo);
    case TipoCampo::Numero: {
        if (vuoto)
            return QVariant(0.0);
        auto n = leggiNumero(testo);
        if (!n)
            return Errore{n.errore()};
        return QVariant(*n);
    }
    case TipoCampo::Data: {
        if (vuoto)
            return QVariant(QMetaType(QMetaType::QString));
        auto momento = leggiMomento(testo);
        if (!momento)
            return Errore{momento.errore()};
        return QVariant(momento->date().toString(Qt::ISODate));
    }
    case TipoCampo::DataOra: {
        if (vuoto)
            return QVariant(QMetaType(QMetaType::QString));
        auto momento = leggiMomento(testo);
        if (!momento)
            return Errore{momento.errore()};
        return QVariant(momento->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    }
    return QVariant(testo);
}
