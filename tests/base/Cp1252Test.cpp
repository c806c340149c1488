#include "base/Cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, OneByteBeyondAsciiAnywhereMakesATextNotAscii)
{
    // The bytes are looked at eight at a time, then one by one: a high byte
    // in every place of the blocks and of the tail must be seen.
    const QByteArray ascii("OPERAZIONE DEL 01/03/2026;", 26);
    EXPECT_TRUE(Cp1252::soloAscii(ascii));
    EXPECT_TRUE(Cp1252::soloAscii(QByteArrayView()));
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        QByteArray guasto = ascii;
        guasto[i] = '\xC8'; // È
        EXPECT_FALSE(Cp1252::soloAscii(guasto)) << i;
        EXPECT_TRUE(Cp1252::soloAscii(QByteArrayView(guasto).first(i))) << i;
    }
}
