// The mini bar: its place, the hover pictures of its close and restore images, and
// closing the program from it.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/CheckBox.h"
#include "framework/Image.h"
#include "framework/SpinEdit.h"
#include "framework/Timer.h"

#include <QMouseEvent>

#include <vector>

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::AppTest;

namespace {

const QColor kClose0(10, 20, 30);
const QColor kClose1(200, 20, 30);
const QColor kMax0(10, 120, 30);
const QColor kMax1(10, 20, 230);

void saveBitmap(const QString& path, QSize size, QColor color)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(path, "BMP")) << path.toStdString();
}

void moveOver(QWidget* control)
{
    const QPointF p(1, 1);
    QMouseEvent event(QEvent::MouseMove, p, control->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &event);
    // The hover pictures a move asks for arrive, as they do in the program before
    // the pointer has moved on.
    static_cast<pvstim::FakePlatform&>(pvstim::platform()).finishBackgroundJobs();
}

void click(QWidget* control)
{
    const QPointF p(3, 3);
    QMouseEvent press(QEvent::MouseButtonPress, p, control->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, p, control->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QCoreApplication::sendEvent(control, &release);
}

QImage resourcePicture(const char* name)
{
    return QImage(QStringLiteral(":/art/%1.bmp").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

class MiniBarTest : public AppTest {
protected:
    void prepare() override
    {
        saveBitmap(path("fone/close0.bmp"), { 40, 13 }, kClose0);
        saveBitmap(path("fone/close1.bmp"), { 40, 13 }, kClose1);
        saveBitmap(path("fone/max0.bmp"), { 27, 13 }, kMax0);
        saveBitmap(path("fone/max1.bmp"), { 27, 13 }, kMax1);
    }
};

// ---- Placement --------------------------------------------------------------------

struct ScreenCase {
    QSize screen;
    int top;
};

class MiniBarPlace : public AppTest, public ::testing::WithParamInterface<ScreenCase> {
protected:
    void prepare() override { fake.setScreenSize(GetParam().screen); }
};

TEST_P(MiniBarPlace, FlushWithTheBottomLeftCornerOfTheScreen)
{
    EXPECT_EQ(QRect(miniBar()->Left(), miniBar()->Top(), miniBar()->Width(), miniBar()->Height()), QRect(0, GetParam().top, 81, 25));
    EXPECT_FALSE(miniBar()->Visible());
    EXPECT_TRUE(miniBar()->DoubleBuffered);

    // Placed once: a later change of the screen does not move it.
    fake.setScreenSize({ 640, 480 });
    controlWindow()->minimizeToBar();
    EXPECT_TRUE(miniBar()->Visible());
    EXPECT_EQ(QPoint(miniBar()->Left(), miniBar()->Top()), QPoint(0, GetParam().top));
}

INSTANTIATE_TEST_SUITE_P(Screens, MiniBarPlace,
    ::testing::Values(ScreenCase { { 1024, 768 }, 743 }, ScreenCase { { 1920, 1080 }, 1055 },
        ScreenCase { { 800, 600 }, 575 }));

// ---- Hover pictures ---------------------------------------------------------------

enum class Over { Background, Close, Restore, HideAndShow };

struct HoverCase {
    const char* name;
    std::vector<Over> moves;
    QColor close;     // invalid: the design picture
    QColor restore;
};

void PrintTo(const HoverCase& c, std::ostream* os) { *os << c.name; }

class MiniBarHover : public MiniBarTest, public ::testing::WithParamInterface<HoverCase> { };

TEST_P(MiniBarHover, BothImagesFollowTheLastMove)
{
    controlWindow()->minimizeToBar();
    for (Over over : GetParam().moves) {
        switch (over) {
        case Over::Background: moveOver(miniBar()->background); break;
        case Over::Close: moveOver(miniBar()->closeButton); break;
        case Over::Restore: moveOver(miniBar()->restoreButton); break;
        case Over::HideAndShow: miniBar()->restoreControlWindow(); controlWindow()->minimizeToBar(); break;
        }
    }
    const HoverCase& c = GetParam();
    if (c.close.isValid())
        EXPECT_EQ(miniBar()->closeButton->Picture().image().pixelColor(4, 4), c.close);
    else
        EXPECT_EQ(miniBar()->closeButton->Picture().image(), resourcePicture("C0"));
    if (c.restore.isValid())
        EXPECT_EQ(miniBar()->restoreButton->Picture().image().pixelColor(4, 4), c.restore);
    else
        EXPECT_EQ(miniBar()->restoreButton->Picture().image(), resourcePicture("minibar_restore"));
    EXPECT_EQ(miniBar()->closeButton->size(), QSize(40, 13));
    EXPECT_EQ(miniBar()->restoreButton->size(), QSize(27, 13));
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(States, MiniBarHover,
    ::testing::Values(HoverCase { "Design", {}, QColor(), QColor() },
        HoverCase { "Background", { Over::Background }, kClose0, kMax0 },
        HoverCase { "Close", { Over::Close }, kClose1, kMax0 },
        HoverCase { "Restore", { Over::Restore }, kClose0, kMax1 },
        HoverCase { "CloseThenRestore", { Over::Close, Over::Restore }, kClose0, kMax1 },
        HoverCase { "RestoreThenBackground", { Over::Restore, Over::Background }, kClose0, kMax0 },
        HoverCase { "CloseKeptWhileHidden", { Over::Close, Over::HideAndShow }, kClose1, kMax0 }),
    [](const auto& info) { return std::string(info.param.name); });

// A picture that cannot be read is skipped without a message; the other image
// still changes.
struct BrokenCase {
    const char* name;
    const char* file;
    QByteArray contents;  // empty: the file is removed
    Over move;
    QColor close;         // invalid: unchanged design picture
    QColor restore;
};

void PrintTo(const BrokenCase& c, std::ostream* os) { *os << c.name; }

class MiniBarBrokenPicture : public MiniBarTest, public ::testing::WithParamInterface<BrokenCase> {
protected:
    void prepare() override
    {
        MiniBarTest::prepare();
        const QString file = path(QStringLiteral("fone/%1").arg(QLatin1String(GetParam().file)));
        QFile::remove(file);
        if (!GetParam().contents.isEmpty())
            pvstim::test::writeFile(dir.path(), QStringLiteral("fone/%1").arg(QLatin1String(GetParam().file)),
                GetParam().contents);
    }
};

TEST_P(MiniBarBrokenPicture, IsSkippedSilently)
{
    const BrokenCase& c = GetParam();
    for (int i = 0; i < 3; ++i) {
        switch (c.move) {
        case Over::Background: moveOver(miniBar()->background); break;
        case Over::Close: moveOver(miniBar()->closeButton); break;
        default: moveOver(miniBar()->restoreButton); break;
        }
    }
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
    if (c.close.isValid())
        EXPECT_EQ(miniBar()->closeButton->Picture().image().pixelColor(4, 4), c.close);
    else
        EXPECT_EQ(miniBar()->closeButton->Picture().image(), resourcePicture("C0"));
    if (c.restore.isValid())
        EXPECT_EQ(miniBar()->restoreButton->Picture().image().pixelColor(4, 4), c.restore);
    else
        EXPECT_EQ(miniBar()->restoreButton->Picture().image(), resourcePicture("minibar_restore"));
}

INSTANTIATE_TEST_SUITE_P(Files, MiniBarBrokenPicture,
    ::testing::Values(BrokenCase { "MissingClose", "close1.bmp", {}, Over::Close, QColor(), kMax0 },
        BrokenCase { "MissingRestore", "max1.bmp", {}, Over::Restore, kClose0, QColor() },
        BrokenCase { "NotABitmap", "close0.bmp", "garbage", Over::Background, QColor(), kMax0 }),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Close ------------------------------------------------------------------------

enum class CloseFrom { ControlWindow, MiniBar };

class MiniBarClose : public AppTest, public ::testing::WithParamInterface<CloseFrom> { };

// Closing from the mini bar during a run is the same close as the control window's
// own close image: the program ends and the current settings are written.
TEST_P(MiniBarClose, EndsTheRunAndSavesTheSettings)
{
    controlWindow()->markersBox->setChecked(false);
    controlWindow()->lineIntervalSpin->setValue(250);
    controlWindow()->startRun();
    ASSERT_TRUE(miniBar()->Visible()) << "a run shows the mini bar";
    ASSERT_EQ(controlWindow()->Top(), 200000);
    ASSERT_TRUE(controlWindow()->countdownTimer->Enabled());
    fake.advanceMs(3000);

    if (GetParam() == CloseFrom::MiniBar)
        click(miniBar()->closeButton);
    else
        click(controlWindow()->closeButton);
    EXPECT_TRUE(controlWindow()->isClosed());
    EXPECT_FALSE(controlWindow()->isOnScreen());
    const QByteArray ini = pvstim::test::readFile(path("Config.ini"));
    EXPECT_TRUE(ini.contains("markers=0")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("freqency=250")) << ini.toStdString();
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Both, MiniBarClose, ::testing::Values(CloseFrom::ControlWindow, CloseFrom::MiniBar),
    [](const auto& info) { return info.param == CloseFrom::MiniBar ? "MiniBar" : "ControlWindow"; });

}  // namespace
