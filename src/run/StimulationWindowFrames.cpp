// The frame-locked presenter of the flicker and the flip log. The presenter is
// chosen when the window first shows, at Start, before the flicker runs (or at the
// first flip where the window never showed); the flicker clock flips the phases
// until then, and from then on too unless the display's swaps are steadily paced.
#include "run/StimulationWindow.h"

#include "framework/Image.h"
#include "framework/Timer.h"
#include "platform/Platform.h"
#include "run/FlickerOptions.h"
#include "run/FlipLog.h"
#include "run/FramePresenter.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QTimer>

#include <cstdio>

namespace pvstim {

namespace {

// Swaps measured before choosing, and how long they may take to come.
constexpr int kMeasuredSwaps = 40;
constexpr int kMeasureTimeoutMs = 2000;

}  // namespace

struct StimulationWindow::FrameLock : QObject {
    explicit FrameLock(StimulationWindow& window)
        : window(window)
    {
        window.installEventFilter(this);
    }

    ~FrameLock() override
    {
        presenter.reset();
        surface.reset();
        log.finish(platform().monotonicNs());
    }

    // The window's content changed: its pictures are made again while the surface
    // covers it.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window && event->type() == QEvent::UpdateRequest && surfaceShown())
            window.updateFramePictures();
        return false;
    }

    bool surfaceShown() const { return presenter && presenter->state() != FramePresenter::State::Off; }

    StimulationWindow& window;
    FlipLog log;
    std::unique_ptr<FrameSurface> surface;
    std::unique_ptr<FramePresenter> presenter;
    std::int64_t lastFlipNs = 0;  // when the flicker clock last turned the phase
};

void StimulationWindow::FrameLockDeleter::operator()(FrameLock* lock) const
{
    delete lock;
}

void StimulationWindow::showEvent(QShowEvent* event)
{
    TForm::showEvent(event);
    // Once the window is on screen, so that its swaps can be measured.
    if (!frames_)
        QTimer::singleShot(0, this, [this] {
            if (!frames_ && isVisible())
                choosePresenter();
        });
}

bool StimulationWindow::framesPace() const
{
    return frames_ && frames_->presenter && frames_->presenter->state() == FramePresenter::State::Pacing;
}

void StimulationWindow::phaseFlipped(std::int64_t dueNs)
{
    if (!frames_)
        choosePresenter();
    frames_->lastFlipNs = platform().monotonicNs();
    // Phases are kept only for a log the user asked for: a run of an hour has
    // tens of thousands.
    if (!frames_->log.isOpen())
        return;
    FlipLog::Phase phase;
    phase.lit = lit_;
    phase.hz = flicker.frequency;
    phase.dueNs = dueNs;
    phase.paintedNs = frames_->lastFlipNs;
    frames_->log.phaseBegan(phase);
}

void StimulationWindow::litByPicture()
{
    // While the frames pace the flicker, the presenter logs what it shows.
    if (!frames_ || framesPace() || !frames_->log.isOpen())
        return;
    FlipLog::Phase phase;
    phase.lit = true;
    phase.hz = flicker.frequency;
    phase.dueNs = platform().monotonicNs();
    phase.paintedNs = phase.dueNs;
    frames_->log.phaseBegan(phase);
}

void StimulationWindow::choosePresenter()
{
    frames_.reset(new FrameLock(*this));
    FrameLock& lock = *frames_;
    const FlickerOptions& options = flickerOptions();
    if (!options.flipLogPath.isEmpty() && !lock.log.open(options.flipLogPath))
        std::fprintf(stderr, "pvstim: cannot write the flip log %s\n", qPrintable(options.flipLogPath));
    const auto useTimer = [&lock](const QString& why) {
        lock.log.setPresenter(QStringLiteral("timer (%1)").arg(why));
    };
    if (options.presenter == PresenterChoice::Timer)
        return useTimer(QStringLiteral("chosen"));
    lock.surface = platform().createFrameSurface(*this);
    if (!lock.surface)
        return useTimer(QStringLiteral("no OpenGL"));
    lock.log.setRefreshHz(lock.surface->reportedRefreshHz());

    FramePresenter::Hooks hooks;
    hooks.frequency = [this] { return flicker.frequency; };
    hooks.flip = [this] {
        nextPhase();
        return lit_;
    };
    // The frames take up the flicker when its clock first ticks, so that both
    // presenters start it after the same interval: the designed second before a
    // rhythm is chosen, half a period after.
    hooks.running = [this] { return flipTimer->Enabled() && flipTimer->tickCount() > 0; };
    lock.presenter = std::make_unique<FramePresenter>(*lock.surface, std::move(hooks), lock.log.isOpen() ? &lock.log : nullptr);
    updateFramePictures();
    const bool forced = options.presenter == PresenterChoice::Frame;
    lock.presenter->measure(kMeasuredSwaps, kMeasureTimeoutMs, [this, forced](std::optional<double> hz) {
        FrameLock& lock = *frames_;
        const QString renderer = lock.surface->rendererName();
        if (hz || forced) {
            const double reported = lock.surface->reportedRefreshHz();
            const double refresh = hz ? *hz : (reported > 0 ? reported : 60.0);
            lock.log.setRefreshHz(refresh);
            lock.log.setPresenter(QStringLiteral("frame (%1 Hz%2, %3)")
                                      .arg(refresh, 0, 'f', 3)
                                      .arg(hz ? QString() : QStringLiteral(", swaps not steady, chosen"), renderer));
            lock.log.setFramesCounted(true);
            lock.presenter->pace(refresh, lock.lastFlipNs);
            return;
        }
        lock.log.setPresenter(QStringLiteral("timer (swaps not steady, %1)").arg(renderer));
        lock.presenter->stop();
        // The window shows the phase again itself.
        showPhase(lit_);
        // The surface and its OpenGL context are let go once the presenter has
        // returned from this call: a software renderer holds tens of megabytes.
        QTimer::singleShot(0, this, [this] {
            if (frames_ && frames_->presenter && frames_->presenter->state() == FramePresenter::State::Off) {
                frames_->presenter.reset();
                frames_->surface.reset();
            }
        });
    });
}

void StimulationWindow::updateFramePictures()
{
    FrameLock& lock = *frames_;
    // The lit picture is the window as the flicker clock shows it in its lit phase;
    // the blank one covers the text line and the drawn picture as the covers do.
    const bool blankCovers = coversBlank_;
    coversBlank_ = false;
    QImage lit(size(), QImage::Format_RGB32);
    lit.fill(toQColor(Color()));
    render(&lit);
    coversBlank_ = blankCovers;
    QImage blank = lit;
    QPainter painter(&blank);
    painter.fillRect(textCover_->geometry(), toQColor(Color()));
    painter.fillRect(pictureCover_->geometry(), toQColor(Color()));
    painter.end();
    lock.surface->setPictures(lit, blank);
    lock.surface->show(lit_ ? FrameSurface::Picture::Lit : FrameSurface::Picture::Blank);
}

bool StimulationWindow::showPhaseOnFrames(bool lit)
{
    if (!frames_ || !frames_->surfaceShown())
        return false;
    frames_->surface->show(lit ? FrameSurface::Picture::Lit : FrameSurface::Picture::Blank);
    return true;
}

}  // namespace pvstim
