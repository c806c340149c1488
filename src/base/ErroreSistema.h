#pragma once

#include <QString>

class QIODevice;

// The operating system's part of a file error, in Italian. Qt hands over the
// system's own text ("No such file or directory", or Windows' "Access is
// denied."), in English whatever the user's language: the common causes get
// an Italian sentence, any other keeps the system's text in parentheses.
namespace ErroreSistema {
QString descrivi(const QString& testoSistema);
// The last error of a file (QFile, QSaveFile) or of any other device.
QString descrivi(const QIODevice& dispositivo);
} // namespace ErroreSistema
