#include "base/ErroreSistema.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The system's text as Qt reports it on Linux and on an English Windows, and
// any other text kept in parentheses.
TEST(ErroreSistema, TestiDelSistemaInItaliano)
{
    const std::pair<const char*, const char16_t*> casi[] = {
        {"No such file or directory", u"file o cartella inesistente"},
        {"The system cannot find the path specified.", u"file o cartella inesistente"},
        {"Permission denied", u"permesso negato"},
        {"Access is denied.", u"permesso negato"},
        {"No space left on device", u"spazio su disco esaurito"},
        {"There is not enough space on the disk.", u"spazio su disco esaurito"},
        {"The process cannot access the file because it is being used by another process.",
         u"il file è in uso da un altro programma"},
        {"Connection timed out", u"errore del sistema (Connection timed out)"},
        {"", u"errore sconosciuto del sistema"},
    };
    for (const auto& [sistema, italiano] : casi)
        EXPECT_EQ(ErroreSistema::descrivi(QString::fromLatin1(sistema)),
                  QString::fromUtf16(italiano))
            << sistema;
}

// Real failures of real files: a file that is not there, a full disk.
TEST(ErroreSistema, FileVeri)
{
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());

    QFile manca(QDir(cartella.path()).filePath(QStringLiteral("manca.txt")));
    ASSERT_FALSE(manca.open(QIODevice::ReadOnly));
    EXPECT_EQ(ErroreSistema::descrivi(manca), QStringLiteral("file o cartella inesistente"));

#ifdef Q_OS_LINUX
    QFile pieno(QStringLiteral("/dev/full"));
    if (pieno.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        EXPECT_LT(pieno.write("x", 1), 0);
        EXPECT_EQ(ErroreSistema::descrivi(pieno), QStringLiteral("spazio su disco esaurito"));
    }
#endif
}

// Windows lets anyone write into a read-only folder, and so do the
// permissions for root.
#ifdef Q_OS_UNIX
TEST(ErroreSistema, CartellaInSolaLettura)
{
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    const QString chiusa = QDir(cartella.path()).filePath(QStringLiteral("chiusa"));
    ASSERT_TRUE(QDir().mkdir(chiusa));
    ASSERT_TRUE(QFile::setPermissions(chiusa, QFile::ReadOwner | QFile::ExeOwner));
    QSaveFile vietato(QDir(chiusa).filePath(QStringLiteral("nuovo.txt")));
    const bool aperto = vietato.open(QIODevice::WriteOnly);
    QFile::setPermissions(chiusa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (aperto)
        GTEST_SKIP() << "the folder's permissions do not bind this user (root)";
    EXPECT_EQ(ErroreSistema::descrivi(vietato), QStringLiteral("permesso negato"));
}
#endif
