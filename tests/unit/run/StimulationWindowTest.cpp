// The stimulation window: its window properties, its create step and what the two
// flicker phases put on screen.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"
#include "run/StimulationWindow.h"
#include "widgets/TGauge.h"

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QPaintEvent>
#include <QRegion>

using namespace pvstim;
using namespace pvstim::test;

class StimulationWindowTest : public AppTest { };

TEST_F(StimulationWindowTest, BorderlessDisabledNotOnTopAndCoversTheScreenWheneverShown)
{
    EXPECT_TRUE(stimulationWindow()->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_FALSE(stimulationWindow()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(stimulationWindow()->isEnabled());

    stimulationWindow()->Show();
    EXPECT_EQ(QRect(stimulationWindow()->Left(), stimulationWindow()->Top(), stimulationWindow()->Width(), stimulationWindow()->Height()), QRect(0, 0, 1024, 768));
    stimulationWindow()->Hide();
    fake.setScreenSize(QSize(1920, 1080));
    stimulationWindow()->Show();
    EXPECT_EQ(QRect(stimulationWindow()->Left(), stimulationWindow()->Top(), stimulationWindow()->Width(), stimulationWindow()->Height()), QRect(0, 0, 1920, 1080));
    EXPECT_EQ(stimulationWindow()->rect(), QRect(0, 0, 1920, 1080));
}

TEST_F(StimulationWindowTest, DrawsPictureThenTextLineThenStrip)
{
    const QObjectList& stack = stimulationWindow()->children();  // bottom to top
    const auto image = stack.indexOf(stimulationWindow()->pictureArea);
    const auto label = stack.indexOf(stimulationWindow()->textLine);
    const auto strip = stack.indexOf(stimulationWindow()->progressStrip);
    ASSERT_GE(image, 0);
    EXPECT_LT(image, label);
    EXPECT_LT(label, strip);
}

TEST_F(StimulationWindowTest, PictureAreaTakesWhatTheStripLeaves)
{
    stimulationWindow()->Show();
    stimulationWindow()->progressStrip->show();
    EXPECT_EQ(stimulationWindow()->progressStrip->geometry(), QRect(0, 0, 1024, 4));
    EXPECT_EQ(stimulationWindow()->pictureArea->geometry(), QRect(0, 4, 1024, 764));
    stimulationWindow()->progressStrip->hide();
    EXPECT_EQ(stimulationWindow()->pictureArea->geometry(), QRect(0, 0, 1024, 768));
}

// --- Create step ---------------------------------------------------------------

namespace {

struct CreateCase {
    const char* name;
    const char* config;  // nullptr: no Config.ini
    bool textFolder;
    int lineInterval;
    int textIntervalMs;  // the spin edit's rule sets the text timer while the window is created
    int errors;
};

}  // namespace

class StimulationWindowCreateTest : public AppTest, public ::testing::WithParamInterface<CreateCase> {
protected:
    void prepare() override
    {
        const CreateCase c = GetParam();
        if (c.config)
            writeFile(dir.path(), QStringLiteral("Config.ini"), c.config);
        if (!c.textFolder)
            QDir(path(QStringLiteral("to_read"))).removeRecursively();
    }
};

TEST_P(StimulationWindowCreateTest, PlacesTheLineAndReadsTheLineInterval)
{
    const CreateCase c = GetParam();
    EXPECT_EQ(stimulationWindow()->textLine->geometry(), QRect(60, 170, 561, 241)) << "placed on the designed 681 x 421";
    EXPECT_EQ(controlWindow()->lineIntervalSpin->Value(), c.lineInterval);
    EXPECT_EQ(stimulationWindow()->lineTimer->Interval(), c.textIntervalMs);
    EXPECT_EQ(fake.errors.size(), c.errors) << fake.errors.join('\n').toStdString();
    if (c.textFolder) {
        EXPECT_EQ(stimulationWindow()->textFiles.Items(), QStringList { QStringLiteral("sample.txt") });
    } else {
        EXPECT_EQ(stimulationWindow()->textFiles.Count(), 0);
        ASSERT_EQ(fake.errors.size(), 1);
        EXPECT_TRUE(fake.errors.front().contains(QStringLiteral("to_read")));
    }
    // The window is created all the same, with its clock off.
    ASSERT_NE(stimulationWindow(), nullptr);
    EXPECT_FALSE(stimulationWindow()->flipTimer->Enabled());
    EXPECT_EQ(stimulationWindow()->flipTimer->Interval(), 1000);
}

INSTANTIATE_TEST_SUITE_P(Cases, StimulationWindowCreateTest,
    ::testing::Values(CreateCase { "NoSettings", nullptr, true, 60, 600, 0 },
        CreateCase { "Stored", "[GENERAL]\nfreqency=200\n", true, 200, 2000, 0 },
        CreateCase { "HeldInRange", "[general]\nFREQENCY=5\n", true, 10, 100, 0 },
        CreateCase { "Garbage", "[GENERAL]\nfreqency=fast\n", true, 60, 600, 0 },
        CreateCase { "NoTextFolderSkipsTheRest", "[GENERAL]\nfreqency=200\n", false, 60, 600, 1 }),
    [](const auto& info) { return std::string(info.param.name); });

// --- What the phases show ------------------------------------------------------

class FlickerPixelTest : public AppTest {
protected:
    static constexpr TColor kBackground = rgbColor(0, 0x40, 0x80);

    void prepare() override { fake.setScreenSize(QSize(800, 600)); }

    void showLine()
    {
        stimulationWindow()->setColor(kBackground);
        stimulationWindow()->Show();
        TFont font;
        font.setName(QStringLiteral("DejaVu Sans"));
        font.size = 28;
        font.style = TFont::Bold;
        font.color = clYellow;
        stimulationWindow()->textLine->setFont(font);
        stimulationWindow()->textLine->setCaption(QStringLiteral("Reading line WWW"));
        stimulationWindow()->setFrequency(10);
        stimulationWindow()->flipTimer->setEnabled(true);
        QApplication::processEvents();
    }

    // What the window last painted into its backing store (the image the offscreen
    // platform shows), not a fresh rendering: a flip that forgot to paint leaves the
    // previous phase here.
    static QImage shownFrame()
    {
        QPaintDevice* device = stimulationWindow()->backingStore()->paintDevice();
        EXPECT_EQ(device->devType(), int(QInternal::Image));
        return static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
    }

    void nextTick()
    {
        const std::uint64_t before = stimulationWindow()->flipTimer->tickCount();
        while (stimulationWindow()->flipTimer->tickCount() == before)
            fake.advanceNs(fake.nextDeadlineNs() - fake.monotonicNs());
    }

    // Pixels of the area that are not the background colour.
    static int foreignPixels(const QImage& image, const QRect& area)
    {
        const QRgb background = toQColor(kBackground).rgb();
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x)
                count += image.pixel(x, y) != background;
        }
        return count;
    }
};

TEST_F(FlickerPixelTest, TextLineShowsInTheLitPhaseOnly)
{
    showLine();
    const QRect line = stimulationWindow()->textLine->geometry();
    const QRect pictureArea = stimulationWindow()->pictureArea->geometry();
    for (int tick = 1; tick <= 4; ++tick) {
        nextTick();
        const QImage frame = shownFrame();
        ASSERT_EQ(frame.size(), QSize(800, 600));
        if (stimulationWindow()->litPhase()) {
            EXPECT_GT(foreignPixels(frame, line), 200) << "tick " << tick << ": the text line";
            EXPECT_EQ(foreignPixels(frame, pictureArea), foreignPixels(frame, line)) << "nothing outside the line";
            // In the reading text's own colour, not greyed by the window taking no input.
            int inFontColour = 0;
            for (int y = line.top(); y <= line.bottom(); ++y) {
                for (int x = line.left(); x <= line.right(); ++x)
                    inFontColour += frame.pixel(x, y) == toQColor(clYellow).rgb();
            }
            EXPECT_GT(inFontColour, 200) << "tick " << tick;
        } else {
            EXPECT_EQ(foreignPixels(frame, pictureArea), 0) << "tick " << tick << ": background alone";
        }
        EXPECT_EQ(stimulationWindow()->litPhase(), tick % 2 == 0);
    }
}

// What the window and its controls paint, in window coordinates.
class PaintedRegion : public QObject {
public:
    QRegion region;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && widget && (widget == stimulationWindow() || stimulationWindow()->isAncestorOf(widget)))
            region += static_cast<QPaintEvent*>(event)->region().translated(widget->mapTo(stimulationWindow(), QPoint(0, 0)));
        return false;
    }
};

// Outside the text line and the drawn picture both phases show the background, so
// a flip that paints more (the whole window, the strip) costs for nothing.
TEST_F(FlickerPixelTest, AFlipPaintsOnlyTheTextLineAndThePicture)
{
    showLine();
    stimulationWindow()->progressStrip->show();
    const QString mandala = path(QStringLiteral("mandala.jpg"));
    QImage picture(160, 60, QImage::Format_RGB32);
    picture.fill(QColor(Qt::red));
    ASSERT_TRUE(picture.save(mandala, "JPG"));

    struct Case {
        const char* name;
        bool mandala;  // shown for one lit phase, dropped at the next flip
    };
    for (const Case& c : { Case { "text line", false }, Case { "text line and a mandala", true } }) {
        SCOPED_TRACE(c.name);
        if (c.mandala) {
            while (!stimulationWindow()->litPhase())
                nextTick();
            stimulationWindow()->pictureArea->Picture().LoadFromFile(mandala, stimulationWindow()->pictureArea->size());
        }
        QApplication::processEvents();
        const QRect drawn = stimulationWindow()->pictureArea->pictureRect().translated(stimulationWindow()->pictureArea->pos());
        ASSERT_EQ(drawn.isEmpty(), !c.mandala);
        const QRegion allowed = QRegion(stimulationWindow()->textLine->geometry()) + drawn;

        PaintedRegion painted;
        qApp->installEventFilter(&painted);
        for (int tick = 0; tick < 4; ++tick) {
            nextTick();
            QApplication::processEvents();
        }
        qApp->removeEventFilter(&painted);
        EXPECT_TRUE(painted.region.intersects(stimulationWindow()->textLine->geometry())) << "the line flips";
        const QRect outside = (painted.region - allowed).boundingRect();
        EXPECT_TRUE(outside.isEmpty()) << "painted outside: " << outside.x() << "," << outside.y() << " "
                                       << outside.width() << "x" << outside.height();
    }
}

// A phase band that keeps the pictures it is given and the one it last showed.
class KeptBand : public PhaseBand {
public:
    QRegion band;
    QImage pictures[2];
    const QImage* shown = nullptr;

    bool setPictures(const QRegion& b, const QImage& lit, const QImage& blank) override
    {
        band = b;
        pictures[0] = lit;
        pictures[1] = blank;
        return true;
    }
    bool show(Picture picture) override
    {
        shown = &pictures[picture == Picture::Blank];
        return true;
    }
};

// A flip on a phase band copies what a repaint of its phase paints, the text line
// changed between flips included.
TEST_F(FlickerPixelTest, AFlipOnAPhaseBandShowsWhatARepaintPaints)
{
    KeptBand* band = nullptr;
    fake.makePhaseBand = [&band](QWidget&) {
        auto made = std::make_unique<KeptBand>();
        band = made.get();
        return made;
    };
    showLine();
    for (int tick = 1; tick <= 6; ++tick) {
        if (tick == 4) {
            stimulationWindow()->textLine->setCaption(QStringLiteral("Another line MMM"));
            QApplication::processEvents();
        }
        nextTick();
        ASSERT_TRUE(band && band->shown) << "tick " << tick;
        const QRect bounds = band->band.boundingRect();
        stimulationWindow()->repaint(bounds);
        EXPECT_EQ(*band->shown, shownFrame().copy(bounds)) << "tick " << tick;
    }
}

TEST_F(FlickerPixelTest, BlankPhaseTakesTheNewBackgroundColourAndAMarkerStaysVisible)
{
    showLine();
    nextTick();
    ASSERT_FALSE(stimulationWindow()->litPhase());

    QImage marker(40, 30, QImage::Format_RGB32);
    marker.fill(QColor(Qt::white));
    for (int x = 0; x < 40; ++x)
        marker.setPixel(x, 0, qRgb(255, 0, 0));  // a red top row; the rest is the transparent colour
    stimulationWindow()->pictureArea->Picture().setBitmap(marker);
    QApplication::processEvents();  // the marker's arrival is painted by the event loop
    for (int tick = 0; tick < 3; ++tick) {
        nextTick();
        const QImage frame = shownFrame();
        const QRect drawn = stimulationWindow()->pictureArea->pictureRect().translated(stimulationWindow()->pictureArea->pos());
        EXPECT_EQ(frame.pixel(drawn.center().x(), drawn.top()), qRgb(255, 0, 0)) << "tick " << tick;
        EXPECT_GT(foreignPixels(frame, stimulationWindow()->textLine->geometry()), 200) << "tick " << tick;
    }

    stimulationWindow()->pictureArea->Picture().releaseBitmap();
    nextTick();
    ASSERT_FALSE(stimulationWindow()->litPhase());
    const TColor newBackground = rgbColor(0x10, 0x20, 0x30);
    stimulationWindow()->setColor(newBackground);
    QApplication::processEvents();
    const QImage frame = shownFrame();
    EXPECT_EQ(frame.pixel(stimulationWindow()->textLine->geometry().center()), toQColor(newBackground).rgb());
    EXPECT_EQ(frame.pixel(5, 500), toQColor(newBackground).rgb());
}
