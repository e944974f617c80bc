#include "run/ClockPlate.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/Platform.h"

namespace pvstim {

namespace {

// The hot corner the clock slides in for, and the band along the top and left
// edges it stays out for, both in screen pixels with their edges included.
constexpr int kHotCornerEdge = 100;
constexpr int kSlideStepX = 6;
constexpr int kSlideStepY = 2;

bool inHotCorner(QPoint p)
{
    return p.x() >= 0 && p.x() <= kHotCornerEdge && p.y() >= 0 && p.y() <= kHotCornerEdge;
}

bool inEdgeBand(QPoint p) { return p.x() <= kHotCornerEdge || p.y() <= kHotCornerEdge; }

}  // namespace

ClockPlate::ClockPlate()
    : TForm(QStringLiteral("clock"), WindowPlacement::Unmanaged)
{
    setStayOnTop(true);
    setTaskbarEntry(TaskbarEntry::Hidden);
    setBounds(0, 0, 104, 25);
    plate = new TImage(this, QStringLiteral("plate"));
    plate->AutoSize = true;
    plate->Picture().LoadFromResource(QStringLiteral(":/art/clock.bmp"));
    timeText = new TLabel(this, QStringLiteral("timeText"));
    timeText->setFont(TFont { QStringLiteral("Arial"), 12, TFont::Bold, clWhite, 204 });
    timeText->setAutoSize(false);
    timeText->setTransparent(true);
    timeText->setAlignment(TextAlignment::Center);
    timeText->setGeometry(6, 4, 69, 15);
    timeText->setCaption(QStringLiteral("00:00:00"));
    tickTimer = new TTimer(this, 20, true, TimerPrecision::Poll);
    tickTimer->OnTimer = [this] { onTickDue(); };
    platform().watchPointer(this, [this] { onPointerMoved(); });
    sizeToControls();
}

void ClockPlate::FormCreate() { park(); }

// Wholly above the screen, the right edge two pixels right of its left edge.
void ClockPlate::park()
{
    if (!parked())
        setBounds(2 - Width(), -Height() - 1, Width(), Height());
}

bool ClockPlate::parked() const { return Left() == 2 - Width() && Top() == -Height() - 1; }

void ClockPlate::onPointerMoved()
{
    // The ticks, and with them the slide, keep the 20 ms grid: the first comes at
    // its next point.
    if (!tickTimer->Enabled() && (inEdgeBand(platform().cursorPos()) || !parked()))
        tickTimer->setEnabled(true);
}

void ClockPlate::onTickDue()
{
    // The text changes once a second: it is formatted then, not at every tick.
    const QTime now = platform().localTime();
    const int second = now.msecsSinceStartOfDay() / 1000;
    if (second != shownSecond_) {
        shownSecond_ = second;
        timeText->setCaption(platform().longTimeFormat().format(now));
    }

    // The one request to the display server a tick needs.
    const QPoint pointer = platform().cursorPos();
    if (inHotCorner(pointer) && Left() < 0 && Top() < 0) {
        setBounds(Left() + kSlideStepX, Top() + kSlideStepY, Width(), Height());
        return;
    }
    if (!inEdgeBand(pointer)) {
        park();
        // Nothing left to move until the pointer does; a warp within the band is
        // found by the next tick, within 100 ms (the platform's recheck).
        tickTimer->setEnabled(false);
    }
}

}  // namespace pvstim
