// The control window's chrome: minimize and restore, dragging by the title strip,
// the hover pictures of the minimize and close images, and the title strip picture.
#include "AppFixture.h"

#include "control/ControlWindow.h"
#include "control/MiniBar.h"
#include "framework/CheckBox.h"
#include "framework/Image.h"
#include "framework/SpinEdit.h"

#include <QDateTime>
#include <QMouseEvent>
#include <QWindow>

#include <vector>

using namespace pvstim;
using namespace pvstim::test;
using pvstim::test::AppTest;

namespace {

void saveBitmap(const QString& path, QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(path, "BMP")) << path.toStdString();
}

// A mouse event sent to the control window's native window, so that Qt picks the
// receiving control as it does for real input (topmost control under the point,
// or the control that took the pointer with a button press).
void windowMouse(QEvent::Type type, QPoint clientPos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QWindow* window = controlWindow()->windowHandle();
    ASSERT_NE(window, nullptr);
    QMouseEvent event(type, clientPos, clientPos, controlWindow()->mapToGlobal(clientPos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &event);
}

// A pointer move over one control, as the control itself receives it.
void moveOver(QWidget* control)
{
    const QPointF p(2, 2);
    QMouseEvent event(QEvent::MouseMove, p, control->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &event);
}

QImage resourcePicture(const char* name)
{
    return QImage(QStringLiteral(":/art/%1.bmp").arg(QLatin1String(name))).convertToFormat(QImage::Format_RGB32);
}

QColor stripColor() { return controlWindow()->titleStrip->Picture().image().pixelColor(5, 5); }

const QColor kActiveColor(200, 30, 30);
const QColor kInactiveColor(30, 30, 200);

class ChromeTest : public AppTest {
protected:
    void writeTitle(const char* name, QColor color)
    {
        QDir().mkpath(path("fone"));
        saveBitmap(path(QStringLiteral("fone/%1").arg(QLatin1String(name))), { 554, 25 }, color);
        fileWatchReports();
    }
    // The strip learns of changes on disk from a file watcher, through the event loop.
    static void fileWatchReports() { QCoreApplication::processEvents(); }
};

// ---- Minimize and restore ---------------------------------------------------------

TEST_F(ChromeTest, MinimizeMovesFarDownAndRestoreBringsBackTheFormerTop)
{
    const int left = controlWindow()->Left();
    const int top = controlWindow()->Top();
    controlWindow()->minimizeToBar();
    EXPECT_EQ(controlWindow()->Top(), 200000);
    EXPECT_EQ(controlWindow()->Left(), left);
    EXPECT_TRUE(controlWindow()->Visible()) << "minimizing does not hide the window";
    EXPECT_FALSE(controlWindow()->isOnScreen());
    EXPECT_TRUE(miniBar()->Visible());
    EXPECT_EQ(controlWindow()->topBeforeMinimize, top);

    miniBar()->restoreControlWindow();
    EXPECT_EQ(controlWindow()->Top(), top);
    EXPECT_EQ(controlWindow()->Left(), left);
    EXPECT_TRUE(controlWindow()->isOnScreen());
    EXPECT_FALSE(miniBar()->Visible());
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

TEST_F(ChromeTest, RestoreAfterADragReturnsTheDraggedPlace)
{
    fake.setCursor({ controlWindow()->Left() + 100, controlWindow()->Top() + 10 });
    controlWindow()->titleDrag->press();
    fake.setCursor({ 40, 7 });
    controlWindow()->titleDrag->move();
    controlWindow()->titleDrag->release();
    ASSERT_EQ(QPoint(controlWindow()->Left(), controlWindow()->Top()), QPoint(-60, -3));

    controlWindow()->minimizeToBar();
    miniBar()->restoreControlWindow();
    EXPECT_EQ(QPoint(controlWindow()->Left(), controlWindow()->Top()), QPoint(-60, -3));
}

TEST_F(ChromeTest, ClicksOnTheImagesMinimizeAndRestore)
{
    const int top = controlWindow()->Top();
    windowMouse(QEvent::MouseButtonPress, { 490, 6 }, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(controlWindow()->titleDrag->dragging()) << "a press on the minimize image is not a press on the strip";
    windowMouse(QEvent::MouseButtonRelease, { 490, 6 }, Qt::LeftButton, Qt::NoButton);
    ASSERT_EQ(controlWindow()->Top(), 200000);
    ASSERT_TRUE(miniBar()->Visible());

    QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 5), QPointF(10, 5), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 5), QPointF(10, 5), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QCoreApplication::sendEvent(miniBar()->restoreButton, &press);
    QCoreApplication::sendEvent(miniBar()->restoreButton, &release);
    EXPECT_EQ(controlWindow()->Top(), top);
    EXPECT_FALSE(miniBar()->Visible());
}

// ---- Dragging ---------------------------------------------------------------------

class ChromeDrag : public AppTest, public ::testing::WithParamInterface<Qt::MouseButton> { };

TEST_P(ChromeDrag, FollowsTheScreenPointerUntilTheButtonIsReleasedAnywhere)
{
    const Qt::MouseButton button = GetParam();
    const QPoint start(controlWindow()->Left(), controlWindow()->Top());
    // The event's own position is deliberately unrelated to the pointer: only the
    // screen position counts.
    fake.setCursor(start + QPoint(200, 12));
    windowMouse(QEvent::MouseButtonPress, { 200, 12 }, button, button);
    ASSERT_TRUE(controlWindow()->titleDrag->dragging());
    EXPECT_EQ(controlWindow()->titleDrag->grabOffset(), QPoint(200, 12));

    fake.setCursor({ 700, 500 });
    windowMouse(QEvent::MouseMove, { 3, 3 }, Qt::NoButton, button);
    EXPECT_EQ(QPoint(controlWindow()->Left(), controlWindow()->Top()), QPoint(500, 488));

    // Out of the strip and out of the window: the strip still has the pointer.
    fake.setCursor({ 1100, -300 });
    windowMouse(QEvent::MouseMove, { 900, -400 }, Qt::NoButton, button);
    EXPECT_EQ(QPoint(controlWindow()->Left(), controlWindow()->Top()), QPoint(900, -312)) << "nothing keeps the window on the screen";

    windowMouse(QEvent::MouseButtonRelease, { 900, 700 }, button, Qt::NoButton);
    EXPECT_FALSE(controlWindow()->titleDrag->dragging()) << "released away from the strip";

    fake.setCursor({ 100, 100 });
    windowMouse(QEvent::MouseMove, { 200, 12 }, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(QPoint(controlWindow()->Left(), controlWindow()->Top()), QPoint(900, -312));
}

INSTANTIATE_TEST_SUITE_P(Buttons, ChromeDrag, ::testing::Values(Qt::LeftButton, Qt::RightButton, Qt::MiddleButton),
    [](const auto& info) {
        return info.param == Qt::LeftButton ? "Left" : info.param == Qt::RightButton ? "Right" : "Middle";
    });

TEST_F(ChromeTest, PressOnTheCloseImageStartsNoDrag)
{
    windowMouse(QEvent::MouseButtonPress, { 520, 5 }, Qt::RightButton, Qt::RightButton);
    EXPECT_FALSE(controlWindow()->titleDrag->dragging());
    windowMouse(QEvent::MouseButtonRelease, { 520, 5 }, Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(controlWindow()->isClosed()) << "only a left click closes";
}

// ---- Hover pictures ---------------------------------------------------------------

enum class Step { OverMin, OverClose, OverFace, OverStrip, OverCheckBox, OverSpinEdit, Minimize, Restore };

struct HoverCase {
    const char* name;
    std::vector<Step> steps;
    const char* minPicture;
    const char* closePicture;
};

void PrintTo(const HoverCase& c, std::ostream* os) { *os << c.name; }

class ChromeHover : public AppTest, public ::testing::WithParamInterface<HoverCase> { };

TEST_P(ChromeHover, BothImagesFollowTheLastMoveOverAChromeControl)
{
    ASSERT_NE(resourcePicture("M0"), resourcePicture("M1"));
    ASSERT_NE(resourcePicture("C0"), resourcePicture("C1"));
    for (Step step : GetParam().steps) {
        switch (step) {
        case Step::OverMin: moveOver(controlWindow()->minimizeButton); break;
        case Step::OverClose: moveOver(controlWindow()->closeButton); break;
        case Step::OverFace: moveOver(controlWindow()->face); break;
        case Step::OverStrip: moveOver(controlWindow()->titleStrip); break;
        case Step::OverCheckBox: moveOver(controlWindow()->stimulationBox); break;
        case Step::OverSpinEdit: moveOver(controlWindow()->lineIntervalSpin); break;
        case Step::Minimize: controlWindow()->minimizeToBar(); break;
        case Step::Restore: miniBar()->restoreControlWindow(); break;
        }
    }
    EXPECT_EQ(controlWindow()->minimizeButton->Picture().image(), resourcePicture(GetParam().minPicture));
    EXPECT_EQ(controlWindow()->closeButton->Picture().image(), resourcePicture(GetParam().closePicture));
    EXPECT_EQ(controlWindow()->minimizeButton->size(), QSize(28, 14));
    EXPECT_EQ(controlWindow()->closeButton->size(), QSize(40, 13));
}

INSTANTIATE_TEST_SUITE_P(States, ChromeHover,
    ::testing::Values(HoverCase { "Initial", {}, "M0", "C0" },
        HoverCase { "Min", { Step::OverMin }, "M1", "C0" },
        HoverCase { "Close", { Step::OverClose }, "M0", "C1" },
        HoverCase { "MinThenClose", { Step::OverMin, Step::OverClose }, "M0", "C1" },
        HoverCase { "CloseThenMin", { Step::OverClose, Step::OverMin }, "M1", "C0" },
        HoverCase { "MinThenFace", { Step::OverMin, Step::OverFace }, "M0", "C0" },
        HoverCase { "CloseThenFace", { Step::OverClose, Step::OverFace }, "M0", "C0" },
        HoverCase { "MinThenStripThenSettings", { Step::OverMin, Step::OverStrip, Step::OverCheckBox }, "M1", "C0" },
        HoverCase { "CloseThenSpinEdit", { Step::OverClose, Step::OverStrip, Step::OverSpinEdit }, "M0", "C1" },
        HoverCase { "MinThroughMinimizeAndRestore", { Step::OverMin, Step::Minimize, Step::Restore }, "M1", "C0" }),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Title strip ------------------------------------------------------------------

TEST_F(ChromeTest, BothTitleFilesFollowActivationAndTheForegroundWindow)
{
    writeTitle("title1.bmp", kActiveColor);
    writeTitle("title0.bmp", kInactiveColor);

    controlWindow()->onActivated();
    EXPECT_EQ(stripColor(), kActiveColor);
    controlWindow()->onDeactivated();
    EXPECT_EQ(stripColor(), kInactiveColor);

    fake.setForegroundWindow(controlWindow());
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), kActiveColor);

    // The mini bar, or a window of another program, in front: the change of the
    // foreground shows the inactive picture whatever activation said.
    fake.setForegroundWindow(miniBar());
    controlWindow()->onActivated();
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), kInactiveColor);
    fake.setForegroundWindow(controlWindow());
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), kActiveColor);
    fake.setForegroundWindow(nullptr);
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), kInactiveColor);
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

TEST_F(ChromeTest, FollowsTheForegroundWhileMinimized)
{
    writeTitle("title1.bmp", kActiveColor);
    writeTitle("title0.bmp", kInactiveColor);
    controlWindow()->minimizeToBar();
    fake.setForegroundWindow(controlWindow());
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), kActiveColor);
    fake.setForegroundWindow(miniBar());
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), kInactiveColor);
}

TEST_F(ChromeTest, OnlyTheActiveTitleFile)
{
    writeTitle("title1.bmp", kActiveColor);
    const QImage design = QImage(QStringLiteral(":/art/title.bmp")).convertToFormat(QImage::Format_RGB32);
    controlWindow()->titleStrip->Picture().setBitmap(design);
    const quint64 before = controlWindow()->titleStrip->Picture().generation();

    fake.setForegroundWindow(controlWindow());
    fake.advanceMs(200);
    EXPECT_EQ(controlWindow()->titleStrip->Picture().generation(), before) << "following the foreground needs both files";
    EXPECT_EQ(controlWindow()->titleStrip->Picture().image(), design);

    controlWindow()->onActivated();
    EXPECT_EQ(stripColor(), kActiveColor);
    controlWindow()->onDeactivated();
    EXPECT_EQ(stripColor(), kActiveColor) << "a missing inactive picture leaves the strip";
    fake.setForegroundWindow(nullptr);
    fake.advanceMs(200);
    EXPECT_EQ(stripColor(), kActiveColor);
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

TEST_F(ChromeTest, OnlyTheInactiveTitleFile)
{
    writeTitle("title0.bmp", kInactiveColor);
    controlWindow()->onDeactivated();
    EXPECT_EQ(stripColor(), kInactiveColor);
    controlWindow()->onActivated();
    fake.setForegroundWindow(controlWindow());
    fake.advanceMs(200);
    EXPECT_EQ(stripColor(), kInactiveColor);
}

TEST_F(ChromeTest, ReadsTheFileAgainOnlyWhenItChanged)
{
    writeTitle("title1.bmp", kActiveColor);
    writeTitle("title0.bmp", kInactiveColor);
    fake.setForegroundWindow(nullptr);
    fake.advanceMs(20);
    ASSERT_EQ(stripColor(), kInactiveColor);
    const quint64 loaded = controlWindow()->titleStrip->Picture().generation();
    fake.advanceMs(1000);
    EXPECT_EQ(controlWindow()->titleStrip->Picture().generation(), loaded) << "unchanged file, unchanged picture";

    // The same file replaced on disk shows when the watch tells.
    writeTitle("title0.bmp", QColor(10, 160, 10));
    QFile file(path("fone/title0.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    file.close();
    fileWatchReports();
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), QColor(10, 160, 10));

    // A picture put there by anyone else is replaced at the next change of the foreground.
    controlWindow()->titleStrip->Picture().setBitmap(QImage(554, 25, QImage::Format_RGB32));
    fake.setForegroundWindow(miniBar());
    fake.advanceMs(20);
    EXPECT_EQ(stripColor(), QColor(10, 160, 10));
}

TEST_F(ChromeTest, UnreadableTitleFileIsSkippedSilently)
{
    writeTitle("title1.bmp", kActiveColor);
    pvstim::test::writeFile(dir.path(), QStringLiteral("fone/title0.bmp"), "not a bitmap");
    fileWatchReports();
    controlWindow()->onActivated();
    ASSERT_EQ(stripColor(), kActiveColor);
    fake.setForegroundWindow(nullptr);
    fake.advanceMs(100);
    controlWindow()->onDeactivated();
    EXPECT_EQ(stripColor(), kActiveColor);
    EXPECT_TRUE(fake.errors.isEmpty()) << fake.errors.join('\n').toStdString();
}

}  // namespace
