// The picture control drawn to pixels: fitting, centring, the transparent colour
// of bitmaps, and JPEG pictures drawn whole.
#include "framework/Image.h"

#include <QBuffer>
#include <QFile>
#include <QPalette>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;

const QColor kBackground(10, 120, 10);

// A picture control on a plain green parent, grabbed as pixels.
class Image : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        parent.setAutoFillBackground(true);
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, kBackground);
        parent.setPalette(palette);
        parent.resize(200, 200);
        image = new TImage(&parent);
    }

    QString save(const QString& name, const QImage& picture, const char* format)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(picture.save(path, format, 95));
        return path;
    }

    QImage grab() { return parent.grab().toImage().convertToFormat(QImage::Format_RGB32); }

    static bool near(QColor a, QColor b, int tolerance = 12)
    {
        return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
            && std::abs(a.blue() - b.blue()) <= tolerance;
    }

    QTemporaryDir dir;
    QWidget parent;
    TImage* image = nullptr;
};

// 4 x 2 pixels: bottom-left white (the transparent colour, also at top right),
// the rest red and blue.
QImage smallMarker()
{
    QImage m(4, 2, QImage::Format_RGB32);
    m.fill(Qt::red);
    m.setPixel(0, 1, qRgb(255, 255, 255));
    m.setPixel(3, 0, qRgb(255, 255, 255));
    m.setPixel(1, 1, qRgb(0, 0, 255));
    return m;
}

void configureAsPictureArea(TImage& image)
{
    image.Stretch = true;
    image.Proportional = true;
    image.Center = true;
    image.Transparent = true;
}

TEST_F(Image, SmallBitmapIsEnlargedCentredWithoutItsTransparentColour)
{
    configureAsPictureArea(*image);
    image->setGeometry(20, 10, 120, 100);
    image->Picture().LoadFromFile(save(QStringLiteral("m.bmp"), smallMarker(), "BMP"));

    // 4 x 2 fitted into 120 x 100: 120 x 60, centred at (0, 20) in the control.
    EXPECT_EQ(image->pictureRect(), QRect(0, 20, 120, 60));
    const QImage shot = grab();
    const QPoint origin(20, 30);
    auto at = [&](int col, int row, int dx = 15, int dy = 15) {
        return shot.pixelColor(origin + QPoint(col * 30 + dx, row * 30 + dy));
    };
    EXPECT_EQ(at(0, 0), QColor(Qt::red));
    EXPECT_EQ(at(1, 1), QColor(Qt::blue));
    EXPECT_EQ(at(2, 1), QColor(Qt::red));
    // The white cells, bottom-left and top-right, show the background.
    EXPECT_EQ(at(0, 1), kBackground);
    EXPECT_EQ(at(3, 0), kBackground);
    // Each source pixel becomes a crisp 30 x 30 block: edges of the blue cell.
    EXPECT_EQ(at(1, 1, 0, 0), QColor(Qt::blue));
    EXPECT_EQ(at(1, 1, 29, 29), QColor(Qt::blue));
    EXPECT_EQ(at(1, 1, -1, 0), kBackground);
    // Above and below the picture the background shows.
    EXPECT_EQ(shot.pixelColor(80, 29), kBackground);
    EXPECT_EQ(shot.pixelColor(80, 30), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(80, 89), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(80, 90), kBackground);
    // Left and right edges of the control.
    EXPECT_EQ(shot.pixelColor(19, 40), kBackground);
    EXPECT_EQ(shot.pixelColor(20, 40), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(139, 70), QColor(Qt::red));  // last column, bottom row
    EXPECT_EQ(shot.pixelColor(140, 40), kBackground);
}

TEST_F(Image, WideJpegIsLetterBoxedAndDrawnWhole)
{
    configureAsPictureArea(*image);
    image->setGeometry(0, 0, 160, 160);
    // 320 x 80: left half yellow, right half white; white would be the bitmap's
    // transparent colour, but a JPEG is drawn whole.
    QImage wide(320, 80, QImage::Format_RGB32);
    wide.fill(Qt::white);
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 160; ++x)
            wide.setPixel(x, y, qRgb(255, 255, 0));
    image->Picture().LoadFromFile(save(QStringLiteral("wide.jpg"), wide, "JPG"), image->size());

    EXPECT_EQ(image->Picture().kind(), TPicture::Kind::Jpeg);
    EXPECT_EQ(image->pictureRect(), QRect(0, 60, 160, 40));
    const QImage shot = grab();
    EXPECT_TRUE(near(shot.pixelColor(40, 80), QColor(255, 255, 0))) << shot.pixelColor(40, 80).name().toStdString();
    EXPECT_TRUE(near(shot.pixelColor(120, 80), Qt::white)) << shot.pixelColor(120, 80).name().toStdString();
    EXPECT_TRUE(near(shot.pixelColor(2, 62), QColor(255, 255, 0)));
    EXPECT_TRUE(near(shot.pixelColor(157, 97), Qt::white));
    for (int x : { 0, 80, 159 }) {
        EXPECT_EQ(shot.pixelColor(x, 59), kBackground) << x;
        EXPECT_EQ(shot.pixelColor(x, 100), kBackground) << x;
        EXPECT_EQ(shot.pixelColor(x, 0), kBackground) << x;
        EXPECT_EQ(shot.pixelColor(x, 159), kBackground) << x;
    }
}

// Where a picture lands, for each way of fitting it.
struct FitCase {
    const char* name;
    QSize picture;
    bool stretch, proportional, center;
    QRect expected;   // in a 100 x 80 control
};

void PrintTo(const FitCase& c, std::ostream* os) { *os << c.name; }

class ImageFit : public Image, public ::testing::WithParamInterface<FitCase> { };

TEST_P(ImageFit, PictureRect)
{
    const FitCase& c = GetParam();
    image->setGeometry(0, 0, 100, 80);
    image->Stretch = c.stretch;
    image->Proportional = c.proportional;
    image->Center = c.center;
    QImage picture(c.picture, QImage::Format_RGB32);
    picture.fill(Qt::black);
    image->Picture().setBitmap(picture);
    EXPECT_EQ(image->pictureRect(), c.expected);
    EXPECT_EQ(image->drawnImage().size(), c.expected.size());
}

INSTANTIATE_TEST_SUITE_P(Modes, ImageFit,
    ::testing::Values(FitCase { "plain", { 30, 20 }, false, false, false, { 0, 0, 30, 20 } },
        FitCase { "plain_large_is_cut", { 300, 200 }, false, false, false, { 0, 0, 300, 200 } },
        FitCase { "centred", { 30, 20 }, false, false, true, { 35, 30, 30, 20 } },
        FitCase { "stretch_fills", { 30, 20 }, true, false, false, { 0, 0, 100, 80 } },
        FitCase { "stretch_proportional_enlarges", { 30, 20 }, true, true, false, { 0, 0, 100, 66 } },
        FitCase { "stretch_proportional_tall", { 10, 40 }, true, true, true, { 40, 0, 20, 80 } },
        FitCase { "proportional_small_keeps_size", { 30, 20 }, false, true, false, { 0, 0, 30, 20 } },
        FitCase { "proportional_large_shrinks", { 400, 100 }, false, true, false, { 0, 0, 100, 25 } },
        FitCase { "proportional_large_centred", { 400, 100 }, false, true, true, { 0, 27, 100, 25 } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Image, AutoSizeTakesThePictureSize)
{
    image->AutoSize = true;
    image->setGeometry(5, 5, 10, 10);
    QImage picture(81, 25, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    image->Picture().setBitmap(picture);
    EXPECT_EQ(image->geometry(), QRect(5, 5, 81, 25));
}

TEST_F(Image, OnePictureAtATimeAndAnEmptiedPictureDrawsNothing)
{
    configureAsPictureArea(*image);
    image->setGeometry(0, 0, 100, 100);
    QImage first(2, 2, QImage::Format_RGB32);
    first.fill(Qt::red);
    first.setPixel(0, 1, qRgb(0, 0, 0));
    image->Picture().setBitmap(first);
    EXPECT_EQ(grab().pixelColor(75, 25), QColor(Qt::red));

    QImage second(2, 2, QImage::Format_RGB32);
    second.fill(Qt::blue);
    second.setPixel(0, 1, qRgb(0, 0, 0));
    image->Picture().setBitmap(second);
    EXPECT_EQ(grab().pixelColor(75, 25), QColor(Qt::blue));

    image->Picture().releaseBitmap();
    const QImage shot = grab();
    for (QPoint p : { QPoint(25, 25), QPoint(75, 25), QPoint(75, 75) })
        EXPECT_EQ(shot.pixelColor(p), kBackground);
}

TEST_F(Image, TurningTransparencyOnTakesEffectOnTheSamePicture)
{
    image->Stretch = true;
    image->setGeometry(0, 0, 40, 40);
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixel(0, 1, qRgb(255, 255, 255));
    image->Picture().setBitmap(picture);
    EXPECT_EQ(grab().pixelColor(10, 30), QColor(Qt::white));
    image->Transparent = true;
    EXPECT_EQ(grab().pixelColor(10, 30), kBackground);
    image->Transparent = false;
    EXPECT_EQ(grab().pixelColor(10, 30), QColor(Qt::white));
}

}  // namespace
