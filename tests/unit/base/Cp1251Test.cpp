#include "base/Cp1251.h"

#include <gtest/gtest.h>

using namespace pvstim;

// The generator writes the code page 1251 sample text with cp1251Byte and the
// program reads it with fromCp1251: every byte must come back as itself.
TEST(Cp1251, EveryByteRoundTrips)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char c = char(byte);
        const QString text = fromCp1251(QByteArrayView(&c, 1));
        ASSERT_EQ(text.size(), 1);
        EXPECT_EQ(cp1251Byte(text.at(0).unicode()), byte) << "byte " << byte;
    }
    EXPECT_EQ(cp1251Byte(u'\u4E00'), -1);
    EXPECT_EQ(cp1251Byte(u'ё'), 0xB8);
}
