// The pictures built into the program: each one is present under its resource name,
// is a 24-bit bitmap and has the size its window places it at.
#include "ArtTestSupport.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace {

struct EmbeddedPicture {
    const char* name;
    int width;
    int height;
};

void PrintTo(const EmbeddedPicture& p, std::ostream* os) { *os << p.name; }

class ArtEmbeddedPictureTest : public ::testing::TestWithParam<EmbeddedPicture> { };

TEST_P(ArtEmbeddedPictureTest, IsA24BitBitmapOfItsSize)
{
    const EmbeddedPicture picture = GetParam();
    QFile file(QString::fromLatin1(picture.name));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "resource missing from the program";
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(uchar(bytes[28]) | (uchar(bytes[29]) << 8), 24) << "bits per pixel";

    const QImage image(QString::fromLatin1(picture.name));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), picture.width);
    EXPECT_EQ(image.height(), picture.height);
}

INSTANTIATE_TEST_SUITE_P(Resources, ArtEmbeddedPictureTest,
    ::testing::Values(EmbeddedPicture { ":/art/face.bmp", 554, 381 },
        EmbeddedPicture { ":/art/title.bmp", 554, 25 },
        EmbeddedPicture { ":/art/M0.bmp", 28, 14 },
        EmbeddedPicture { ":/art/M1.bmp", 28, 14 },
        EmbeddedPicture { ":/art/C0.bmp", 40, 13 },
        EmbeddedPicture { ":/art/C1.bmp", 40, 13 },
        EmbeddedPicture { ":/art/clock.bmp", 81, 25 },
        EmbeddedPicture { ":/art/minibar_restore.bmp", 27, 13 }));

}  // namespace
