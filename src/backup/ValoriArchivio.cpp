#include "backup/ValoriArchivio.h"

#include "base/Date.h"
#include "base/FormatoItaliano.h"

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
        const QString cPunto =
            (trovato.capturedLength(2) ? trovato.captured(2) : QStringLiteral("0")) +
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
    if (comeTesto.isEmpty() || tipo != TipoCampo::Numero)
        return comeTesto;
    bool ok = false;
    const double n = numeroMemorizzato(valore, &ok);
    return ok ? numero(n) : comeTesto;
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
    case TipoCampo::Data:
    case TipoCampo::DataOra:
        // Dates travel in the form the database stores them.
        return vuoto ? QVariant(QMetaType(QMetaType::QString)) : QVariant(testo);
    }
    return QVariant(testo);
}
