#include "shell/ui/IconaProgramma.h"

#include <QImage>
#include <QtEndian>
#include <gtest/gtest.h>

// Windows reads the directory of the .ico to pick a size: every entry must point at a PNG of
// the side it states (0 meaning 256), inside the file.
TEST(IconaProgrammaTest, TheIcoListsEverySizeAndEachEntryIsThatImage)
{
    const QByteArray ico = IconaProgramma::fileIco();
    const auto* dati = reinterpret_cast<const uchar*>(ico.constData());
    ASSERT_GE(ico.size(), 6);
    EXPECT_EQ(qFromLittleEndian<quint16>(dati + 2), 1); // an icon, not a cursor
    const int voci = qFromLittleEndian<quint16>(dati + 4);
    ASSERT_EQ(voci, 6);
    for (int i = 0; i < voci; ++i) {
        const uchar* voce = dati + 6 + 16 * i;
        const int lato = voce[0] == 0 ? 256 : voce[0];
        const quint32 lunghezza = qFromLittleEndian<quint32>(voce + 8);
        const quint32 posizione = qFromLittleEndian<quint32>(voce + 12);
        ASSERT_LE(qint64(posizione) + lunghezza, ico.size()) << "entry " << i;
        const QImage immagine = QImage::fromData(ico.mid(posizione, lunghezza), "PNG");
        EXPECT_EQ(immagine.size(), QSize(lato, lato)) << "entry " << i;
        // Drawn, not blank: the sheet's blue border crosses the middle of the left edge.
        EXPECT_GT(qAlpha(immagine.pixel(lato * 8 / 64, lato / 2)), 128) << "entry " << i;
    }
}
