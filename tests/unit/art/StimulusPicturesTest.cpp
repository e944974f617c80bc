// The marker bitmaps and the mandala pictures beside the program.
#include "ArtTestSupport.h"

#include <QColor>
#include <QImage>
#include <QSet>
#include <QTransform>

#include <gtest/gtest.h>

namespace {

using arttest::built;
using arttest::loadImage;

class ArtMarkerTest : public ::testing::TestWithParam<const char*> { };

// The program leaves out the colour of a marker's bottom-left pixel; that colour must
// be the background, and the marks must be drawn without smoothing, or a halo of
// blended colours would remain around them.
TEST_P(ArtMarkerTest, BottomLeftPixelIsTheUnsmoothedBackground)
{
    const QByteArray bytes = arttest::readAll(built(QString::fromLatin1(GetParam())));
    ASSERT_GE(bytes.size(), 54);
    EXPECT_EQ(uchar(bytes[28]), 24);
    const QImage marker = loadImage(built(QString::fromLatin1(GetParam())));
    ASSERT_GE(marker.width(), 100);
    ASSERT_GE(marker.height(), 100);

    const QRgb background = marker.pixel(0, marker.height() - 1);
    EXPECT_EQ(marker.pixel(0, 0), background);
    EXPECT_EQ(marker.pixel(marker.width() - 1, 0), background);
    EXPECT_EQ(marker.pixel(marker.width() - 1, marker.height() - 1), background);

    qint64 backgroundCount = 0;
    QSet<QRgb> colours;
    for (int y = 0; y < marker.height(); ++y) {
        for (int x = 0; x < marker.width(); ++x) {
            const QRgb pixel = marker.pixel(x, y);
            backgroundCount += pixel == background;
            colours.insert(pixel);
        }
    }
    const qint64 total = qint64(marker.width()) * marker.height();
    EXPECT_GT(backgroundCount, total * 8 / 10) << "the background fills most of the picture";
    EXPECT_LT(backgroundCount, total) << "there are marks";
    EXPECT_LE(colours.size(), 6) << "smoothing blended the marks into the background";
}

INSTANTIATE_TEST_SUITE_P(Textures, ArtMarkerTest, ::testing::Values("textures/mark1.bmp", "textures/mark2.bmp"));

TEST(ArtMarkers, CentreIsMarked)
{
    for (const char* name : { "textures/mark1.bmp", "textures/mark2.bmp" }) {
        const QImage marker = loadImage(built(QString::fromLatin1(name)));
        const QRgb background = marker.pixel(0, marker.height() - 1);
        EXPECT_NE(marker.pixel(marker.width() / 2, marker.height() / 2), background) << name;
    }
    EXPECT_NE(loadImage(built(QStringLiteral("textures/mark1.bmp"))),
        loadImage(built(QStringLiteral("textures/mark2.bmp"))));
}

// Mean absolute difference per channel between two pictures of the same size.
double difference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

QImage mandala(int n)
{
    return loadImage(built(QStringLiteral("mandals/%1.jpg").arg(n)));
}

class ArtMandalaTest : public ::testing::TestWithParam<int> { };

TEST_P(ArtMandalaTest, IsALargeJpegWithRadialSymmetry)
{
    const QByteArray bytes = arttest::readAll(built(QStringLiteral("mandals/%1.jpg").arg(GetParam())));
    ASSERT_GE(bytes.size(), 3);
    EXPECT_EQ(bytes.left(3), QByteArray("\xFF\xD8\xFF")) << "not a JPEG file";

    const QImage picture = mandala(GetParam());
    ASSERT_GE(picture.width(), 800);
    ASSERT_EQ(picture.width(), picture.height());

    const QImage small = picture.scaled(150, 150, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage turned = small.transformed(QTransform().rotate(90));
    const QImage mirrored = small.mirrored(true, false);
    EXPECT_LT(difference(small, turned), 4.0) << "not the same after a quarter turn";
    EXPECT_LT(difference(small, mirrored), 4.0) << "not mirror-symmetric";
    // The picture has enough detail that a shift of a few pixels changes it far more
    // than the limits above allow, so meeting them means real symmetry.
    EXPECT_GT(difference(small.copy(10, 10, 100, 100), small.copy(17, 10, 100, 100)), 8.0);
}

INSTANTIATE_TEST_SUITE_P(Mandals, ArtMandalaTest, ::testing::Values(1, 2, 3));

TEST(ArtMandalas, AreDistinctPictures)
{
    const QImage pictures[] = { mandala(1), mandala(2), mandala(3) };
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            ASSERT_EQ(pictures[i].size(), pictures[j].size());
            EXPECT_GT(difference(pictures[i].scaled(100, 100), pictures[j].scaled(100, 100)), 25.0) << i + 1 << " and " << j + 1;
        }
    }
}

}  // namespace
