// The title strips, caption buttons and the clock plate: sizes of the files beside
// the program, the plate's edges, the buttons' faces, and that the painted glyphs on
// the title strip are the very pictures the live buttons show over them.
#include "ArtTestSupport.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using arttest::built;
using arttest::loadImage;

struct ChromeFile {
    const char* path;
    int width;
    int height;
};

void PrintTo(const ChromeFile& f, std::ostream* os) { *os << f.path; }

class ArtChromeFileTest : public ::testing::TestWithParam<ChromeFile> { };

TEST_P(ArtChromeFileTest, IsA24BitBitmapOfItsSize)
{
    const ChromeFile file = GetParam();
    const QByteArray bytes = arttest::readAll(built(QString::fromLatin1(file.path)));
    ASSERT_GE(bytes.size(), 54) << file.path << " missing";
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(uchar(bytes[28]), 24);
    const QImage image = loadImage(built(QString::fromLatin1(file.path)));
    EXPECT_EQ(image.size(), QSize(file.width, file.height));
}

INSTANTIATE_TEST_SUITE_P(Fone, ArtChromeFileTest,
    ::testing::Values(ChromeFile { "fone/title1.bmp", 554, 25 }, ChromeFile { "fone/title0.bmp", 554, 25 },
        ChromeFile { "fone/close0.bmp", 40, 13 }, ChromeFile { "fone/close1.bmp", 40, 13 },
        ChromeFile { "fone/max0.bmp", 27, 13 }, ChromeFile { "fone/max1.bmp", 27, 13 }));

TEST(ArtClockPlate, HasLightTopLeftAndDarkBottomRightEdges)
{
    const QImage plate = loadImage(QStringLiteral(":/art/clock.bmp"));
    ASSERT_EQ(plate.size(), QSize(81, 25));
    const QColor light(157, 191, 255);
    const QColor dark(0, 0, 81);
    for (int x = 1; x < 80; ++x) {
        EXPECT_EQ(QColor(plate.pixel(x, 0)), light) << "top, x " << x;
        EXPECT_EQ(QColor(plate.pixel(x, 24)), dark) << "bottom, x " << x;
    }
    for (int y = 1; y < 24; ++y) {
        EXPECT_EQ(QColor(plate.pixel(0, y)), light) << "left, y " << y;
        EXPECT_EQ(QColor(plate.pixel(80, y)), dark) << "right, y " << y;
    }
}

TEST(ArtClockPlate, DarkensUpwardsInBlue)
{
    const QImage plate = loadImage(QStringLiteral(":/art/clock.bmp"));
    const QColor top(plate.pixel(40, 1));
    const QColor bottom(plate.pixel(40, 23));
    EXPECT_GT(top.blue(), top.red());
    EXPECT_GT(bottom.blue(), bottom.red());
    EXPECT_LT(top.lightness(), bottom.lightness());
    for (int y = 2; y < 24; ++y)
        EXPECT_GE(QColor(plate.pixel(40, y)).lightness(), QColor(plate.pixel(40, y - 1)).lightness()) << y;
}

struct Button {
    const char* resource;
    enum Face { DarkGrey, Red } face;
};

void PrintTo(const Button& b, std::ostream* os) { *os << b.resource; }

class ArtButtonFaceTest : public ::testing::TestWithParam<Button> { };

TEST_P(ArtButtonFaceTest, HasItsFaceColour)
{
    const QImage image = loadImage(QString::fromLatin1(GetParam().resource));
    ASSERT_FALSE(image.isNull());
    const QColor face(image.pixel(3, image.height() / 2));
    if (GetParam().face == Button::DarkGrey) {
        EXPECT_EQ(face.red(), face.green());
        EXPECT_EQ(face.green(), face.blue());
        EXPECT_LT(face.lightness(), 110);
    } else {
        EXPECT_GT(face.red(), 150);
        EXPECT_LT(face.green(), 80);
        EXPECT_LT(face.blue(), 80);
    }
    // The glyph stands out from the face somewhere in the middle of the button.
    int glyph = 0;
    for (int y = 2; y < image.height() - 2; ++y) {
        for (int x = 6; x < image.width() - 6; ++x) {
            const QColor c(image.pixel(x, y));
            glyph += std::abs(c.lightness() - face.lightness()) > 60 || std::abs(c.blue() - face.blue()) > 120;
        }
    }
    EXPECT_GE(glyph, 10);
}

INSTANTIATE_TEST_SUITE_P(Buttons, ArtButtonFaceTest,
    ::testing::Values(Button { ":/art/M0.bmp", Button::DarkGrey }, Button { ":/art/M1.bmp", Button::Red },
        Button { ":/art/C0.bmp", Button::DarkGrey }, Button { ":/art/C1.bmp", Button::Red },
        Button { ":/art/minibar_restore.bmp", Button::DarkGrey },
        Button { PVSTIM_BUILD_DIR "/fone/close0.bmp", Button::DarkGrey },
        Button { PVSTIM_BUILD_DIR "/fone/close1.bmp", Button::Red },
        Button { PVSTIM_BUILD_DIR "/fone/max0.bmp", Button::DarkGrey },
        Button { PVSTIM_BUILD_DIR "/fone/max1.bmp", Button::Red }));

TEST(ArtButtons, HotGlyphsAreCyan)
{
    const auto countCyan = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == qRgb(0, 255, 255);
        }
        return n;
    };
    EXPECT_GT(countCyan(loadImage(QStringLiteral(":/art/M1.bmp"))), 5);
    EXPECT_GT(countCyan(loadImage(QStringLiteral(":/art/C1.bmp"))), 5);
    EXPECT_EQ(countCyan(loadImage(QStringLiteral(":/art/M0.bmp"))), 0);
    EXPECT_EQ(countCyan(loadImage(QStringLiteral(":/art/C0.bmp"))), 0);
}

// The design title strip shows the normal buttons exactly where the live ones lie,
// so nothing jumps when they are placed over it.
TEST(ArtTitleStrip, CarriesTheNormalButtonsUnderTheLiveOnes)
{
    for (const QString& strip : { QStringLiteral(":/art/title.bmp"), built(QStringLiteral("fone/title1.bmp")),
             built(QStringLiteral("fone/title0.bmp")) }) {
        const QImage title = loadImage(strip);
        ASSERT_EQ(title.size(), QSize(554, 25)) << strip.toStdString();
        EXPECT_EQ(title.copy(480, 1, 28, 14), loadImage(QStringLiteral(":/art/M0.bmp"))) << strip.toStdString();
        EXPECT_EQ(title.copy(508, 1, 40, 13), loadImage(QStringLiteral(":/art/C0.bmp"))) << strip.toStdString();
    }
}

double meanSaturation(const QImage& image, const QRect& area)
{
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            sum += QColor(image.pixel(x, y)).hslSaturation();
    }
    return sum / (area.width() * area.height());
}

TEST(ArtTitleStrip, ActiveIsBlueAndInactiveIsGrey)
{
    const QImage active = loadImage(built(QStringLiteral("fone/title1.bmp")));
    const QImage inactive = loadImage(built(QStringLiteral("fone/title0.bmp")));
    const QImage design = loadImage(QStringLiteral(":/art/title.bmp"));
    const QRect field(150, 0, 300, 25);  // between the caption and the buttons
    EXPECT_GT(meanSaturation(active, field), 120);
    EXPECT_LT(meanSaturation(inactive, field), 20);
    EXPECT_GT(QColor(active.pixel(300, 12)).blue(), QColor(active.pixel(300, 12)).red() + 60);
    EXPECT_EQ(design, active) << "the design picture is the active strip";
}

TEST(ArtTitleStrip, HasACaptionOnTheLeft)
{
    for (const QString& strip : { built(QStringLiteral("fone/title1.bmp")), built(QStringLiteral("fone/title0.bmp")) }) {
        const QImage title = loadImage(strip);
        int bright = 0;
        for (int y = 4; y < 21; ++y) {
            for (int x = 27; x < 130; ++x)
                bright += QColor(title.pixel(x, y)).lightness() > 215;
        }
        EXPECT_GT(bright, 120) << strip.toStdString();
    }
}

}  // namespace
