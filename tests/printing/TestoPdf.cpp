#include "TestoPdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

QByteArray esegui(const QString& programma, const QStringList& argomenti)
{
    QProcess processo;
    processo.start(programma, argomenti);
    if (!processo.waitForFinished(60000) || processo.exitStatus() != QProcess::NormalExit ||
        processo.exitCode() != 0) {
        ADD_FAILURE() << programma.toStdString()
                      << " non riuscito: " << processo.readAllStandardError().toStdString();
        return {};
    }
    return processo.readAllStandardOutput();
}

} // namespace

bool lettorePdfPresente()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

QStringList paginePdf(const QString& pdf)
{
    const QString testo = QString::fromUtf8(
        esegui(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
    // pdftotext ends every page with a form feed.
    QStringList pagine = testo.split(QLatin1Char('\f'));
    if (!pagine.isEmpty() && pagine.last().trimmed().isEmpty())
        pagine.removeLast();
    return pagine;
}

int pagineDichiarate(const QString& pdf)
{
    const QString info = QString::fromUtf8(esegui(QStringLiteral("pdfinfo"), {pdf}));
    const auto trovato =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return trovato.hasMatch() ? trovato.captured(1).toInt() : -1;
}
