// The overlay window after start-up: its picture from the mandala folder, its
// full-screen bounds and its opacity from the settings file; it stays hidden.
#include "AppFixture.h"

#include "framework/Image.h"
#include "run/OverlayWindow.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace {

using namespace pvstim;
using namespace pvstim::test;

QByteArray jpeg(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

// The overlay on a 1280 x 720 screen, with what a test puts beside the program.
class Overlay : public test::AppTest {
protected:
    void prepare() override
    {
        fake.setScreenSize({ 1280, 720 });
        for (const auto& [name, bytes] : files)
            test::writeFile(dir.path(), name, bytes);
    }

    void startWith(std::vector<std::pair<QString, QByteArray>> beside)
    {
        files = std::move(beside);
        prepare();
        start();
    }

    void SetUp() override
    {
        autoStart = false;
        test::AppTest::SetUp();
    }

    void expectScreenBoundsAndHidden()
    {
        EXPECT_EQ(QRect(overlayWindow()->Left(), overlayWindow()->Top(), overlayWindow()->Width(), overlayWindow()->Height()), QRect(0, 0, 1280, 720));
        EXPECT_EQ(overlayWindow()->mandalaImage->geometry(), QRect(0, 0, 1280, 720));
        EXPECT_FALSE(overlayWindow()->Visible());
        EXPECT_FALSE(overlayWindow()->isOnScreen());
        EXPECT_TRUE(overlayWindow()->DoubleBuffered);
        EXPECT_TRUE(overlayWindow()->alphaBlend());
    }

    std::vector<std::pair<QString, QByteArray>> files;
};

TEST_F(Overlay, LoadsThePictureFoundWhateverTheCaseOfItsFolder)
{
    // The program names it "Mandals/3.jpg"; the folder on disk is "mandals".
    startWith({ { QStringLiteral("mandals/3.jpg"), jpeg({ 300, 200 }, QColor(200, 40, 40)) } });
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join(u'\n').toStdString();
    const TPicture& picture = overlayWindow()->mandalaImage->Picture();
    EXPECT_EQ(picture.kind(), TPicture::Kind::Jpeg);
    ASSERT_EQ(picture.image().size(), QSize(300, 200));
    EXPECT_GT(picture.image().pixelColor(150, 100).red(), 180);
    // Smaller than the screen: kept at its size in the top-left corner.
    EXPECT_EQ(overlayWindow()->mandalaImage->pictureRect(), QRect(0, 0, 300, 200));
    expectScreenBoundsAndHidden();
}

TEST_F(Overlay, LargePictureIsShrunkToTheScreenFromTheTopLeft)
{
    startWith({ { QStringLiteral("Mandals/3.jpg"), jpeg({ 3200, 1200 }, Qt::gray) } });
    EXPECT_TRUE(fake.errors.isEmpty());
    const TPicture& picture = overlayWindow()->mandalaImage->Picture();
    ASSERT_FALSE(picture.isEmpty());
    // Decoded at a reduced scale that still covers the screen's width (1280 x 480).
    EXPECT_EQ(picture.image().size(), QSize(1600, 600));
    EXPECT_EQ(overlayWindow()->mandalaImage->pictureRect(), QRect(0, 0, 1280, 480));
    expectScreenBoundsAndHidden();
}

TEST_F(Overlay, MissingPictureLeavesItEmptyWithoutAMessage)
{
    startWith({ { QStringLiteral("mandals/1.jpg"), jpeg({ 50, 50 }, Qt::gray) } });
    EXPECT_TRUE(fake.errors.isEmpty());
    EXPECT_TRUE(overlayWindow()->mandalaImage->Picture().isEmpty());
    expectScreenBoundsAndHidden();
}

TEST_F(Overlay, BrokenPictureIsReportedOnce)
{
    startWith({ { QStringLiteral("mandals/3.jpg"), QByteArray("not a picture") } });
    EXPECT_EQ(fake.errors.size(), 1);
    EXPECT_TRUE(overlayWindow()->mandalaImage->Picture().isEmpty());
    EXPECT_FALSE(overlayWindow()->Visible());
}

struct OpacityCase {
    const char* name;
    const char* ini;
    int alpha;
};

void PrintTo(const OpacityCase& c, std::ostream* os) { *os << c.name; }

class OverlayOpacity : public Overlay, public ::testing::WithParamInterface<OpacityCase> { };

TEST_P(OverlayOpacity, AlphaFollowsTheStoredIntensity)
{
    startWith({ { QStringLiteral("Config.ini"), QByteArray(GetParam().ini) } });
    EXPECT_EQ(overlayWindow()->AlphaBlendValue(), GetParam().alpha);
}

// The stored default equals the intensity already shown, so the designed alpha stays.
INSTANTIATE_TEST_SUITE_P(Settings, OverlayOpacity,
    ::testing::Values(OpacityCase { "absent_keeps_design", "", 25 },
        OpacityCase { "ten", "[MANUAL]\r\nopacity=10\r\n", 25 },
        OpacityCase { "thirty", "[MANUAL]\r\nopacity=30\r\n", 76 },
        OpacityCase { "hundred", "[MANUAL]\r\nopacity=100\r\n", 255 }),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
