// Windows only: Excel keeps the workbook it shows open, for writing, and lets other programs
// only read it. A clerk who leaves the month open in Excel must still be able to import it.
#include <QtGlobal>
#ifdef Q_OS_WIN

#include "LetturaFoglio.h"
#include "xlsx/ScriviXlsx.h"
#include "fogli/LettoreFoglio.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <windows.h>

namespace {

// Holds the file as Excel does (or, with condivisione 0, as a program that shares nothing).
class FileTenuto
{
public:
    FileTenuto(const QString& percorso, DWORD condivisione)
        : m_handle(CreateFileW(
              reinterpret_cast<const wchar_t*>(QDir::toNativeSeparators(percorso).utf16()),
              GENERIC_READ | GENERIC_WRITE, condivisione, nullptr, OPEN_EXISTING,
              FILE_ATTRIBUTE_NORMAL, nullptr))
    {
    }
    ~FileTenuto()
    {
        if (aperto())
            CloseHandle(m_handle);
    }
    FileTenuto(const FileTenuto&) = delete;
    FileTenuto& operator=(const FileTenuto&) = delete;
    bool aperto() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

} // namespace

TEST(FoglioApertoTest, AMonthHeldOpenByExcelIsReadAndOneHeldExclusivelyIsRefusedInItalian)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("Contabilità")));
    const QString percorso = dir.filePath(QStringLiteral("Contabilità/Agosto è.xlsx"));
    ASSERT_TRUE(ScriviXlsx::crea(
        percorso, "<row r=\"3\">" + ScriviXlsx::testo("A3", QStringLiteral("ROSSI")) +
                      ScriviXlsx::testo("B3", QStringLiteral("MARIO")) + "</row>"));
    {
        FileTenuto excel(percorso, FILE_SHARE_READ);
        ASSERT_TRUE(excel.aperto());
        auto lettore = apriFoglioExcel(QDir::toNativeSeparators(percorso), regoleProva());
        ASSERT_TRUE(lettore) << lettore.errore().toStdString();
        const LetturaFoglio lettura = leggiTutto(*lettore.valore());
        EXPECT_TRUE(lettura.errore.isEmpty()) << lettura.errore.toStdString();
        ASSERT_EQ(lettura.righe.size(), 1u);
        EXPECT_EQ(lettura.righe[0].valori[0], QStringLiteral("ROSSI"));
    }
    FileTenuto esclusivo(percorso, 0);
    ASSERT_TRUE(esclusivo.aperto());
    auto lettore = apriFoglioExcel(percorso, regoleProva());
    ASSERT_FALSE(lettore);
    EXPECT_TRUE(lettore.errore().contains(QStringLiteral("Agosto è.xlsx")))
        << lettore.errore().toStdString();
}

#endif
