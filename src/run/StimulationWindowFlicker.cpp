// The stimulation window's create step, its flicker clock, the rhythm presets and
// the manual drift that moves the frequency back and forth inside a rhythm's band.
#include "run/StimulationWindow.h"

#include "framework/Image.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "platform/Paths.h"
#include "platform/Platform.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <iterator>
#include <optional>

namespace pvstim {

namespace {

enum class BandEdges { Strict, Inclusive };

// A rhythm preset: the frequency it starts at, and the band the manual drift keeps
// the frequency in by turning at its edges.
struct RhythmBand {
    double baseHz;
    double lowHz;   // the drift turns rising here
    double highHz;  // the drift turns falling here
    BandEdges edges;
};

// Indexed by Rhythm; without a chosen rhythm there is no band.
constexpr RhythmBand kBands[] = {
    { 13.0, 12.0, 15.0, BandEdges::Strict },    // "Низкий Бета"
    { 10.0, 9.0, 12.0, BandEdges::Strict },     // "Высокий Альфа"
    { 9.0, 8.0, 10.0, BandEdges::Inclusive },   // "Низкий Альфа"
    { 5.0, 4.0, 7.0, BandEdges::Inclusive },    // "Тета"
    { 1.0, 0.1, 4.0, BandEdges::Inclusive },    // "Дельта"
};

// The manual drift moves the frequency by this much for each millisecond of the
// phase that just ended: 0.1 Hz a second of flicker, whatever the frequency.
constexpr double kDriftHzPerMs = 0.0001;
constexpr std::int64_t kNsPerMs = 1000000;

const RhythmBand* bandOf(std::optional<Rhythm> rhythm)
{
    return rhythm ? &kBands[indexOf(*rhythm)] : nullptr;
}

// The drift direction after testing `hz` against the rhythm's band edges.
bool driftRisingAfter(std::optional<Rhythm> chosen, double hz, bool rising)
{
    const RhythmBand* rhythm = bandOf(chosen);
    if (!rhythm)
        return rising;
    const bool inclusive = rhythm->edges == BandEdges::Inclusive;
    if (inclusive ? hz <= rhythm->lowHz : hz < rhythm->lowHz)
        return true;
    if (inclusive ? hz >= rhythm->highHz : hz > rhythm->highHz)
        return false;
    return rising;
}

// Half the flicker period in milliseconds, as a real number: one phase lasts this
// long. Never below a millisecond, the finest interval the clock is given.
double halfPeriodMs(double hz)
{
    return std::clamp(500.0 / hz, 1.0, double(INT_MAX));
}

// The frequency with exactly three decimals in the user's number format, rounded
// to at most five significant digits (so only values of 100 Hz and more lose
// decimals). The digits are chosen from the value first and it is rounded once.
QString frequencyText(double hz)
{
    double value = hz;
    if (std::isfinite(hz) && std::fabs(hz) >= 100.0) {
        const int integralDigits = int(std::floor(std::log10(std::fabs(hz)))) + 1;
        const double unit = std::pow(10.0, integralDigits - 5);
        value = std::round(hz / unit) * unit;
    }
    return platform().numberFormat().fixed(value, 3);
}

}  // namespace

void StimulationWindow::FormCreate()
{
    // The window still has its designed size here; Start places the label again
    // on the maximized window.
    textLine->setLeft(60);
    textLine->setWidth(Width() - 120);
    textLine->setTop(Height() / 2 - 40);

    // Throws when to_read/ is missing, which skips the line interval below.
    textFiles.ApplyFilePath(readingTextFolder());

    links_.restoreLineInterval();
}

void StimulationWindow::selectRhythm(std::optional<Rhythm> chosen)
{
    rhythm = chosen;
    if (const RhythmBand* band = bandOf(chosen))
        setFrequency(band->baseHz);
}

void StimulationWindow::setFrequency(double frequency)
{
    if (!(frequency > 0.0) || !std::isfinite(frequency))
        return;
    // Each phase, lit or blank, lasts half a period; the clock ticks once per phase.
    flipTimer->setInterval(int(std::lround(halfPeriodMs(frequency))));
    stimulationFrequency = frequency;
}

void StimulationWindow::onFlipDue()
{
    // Read before anything can restart the count: the moment this flip was due.
    const std::int64_t thisFlipNs = flipTimer->deadlineNs();
    if (framesPace())
        return;
    const bool flipped = nextPhase();
    scheduleNextFlip(thisFlipNs);
    if (flipped)
        phaseFlipped(thisFlipNs);
}

bool StimulationWindow::nextPhase()
{
    links_.showFrequency(QStringLiteral("Частота стимуляции ГМ: ") + frequencyText(stimulationFrequency)
        + QStringLiteral(" Hz"));

    double hz = stimulationFrequency;
    if (links_.manualDrift())
        hz = driftedFrequency(rhythm, hz);
    setFrequency(hz);

    // Taking the picture as a bitmap drops a mandala; a marker stays, and so does
    // the lit phase that shows it.
    if (pictureArea->Picture().dropUnlessBitmap())
        return false;
    showPhase(!lit_);
    return true;
}

double StimulationWindow::driftedFrequency(std::optional<Rhythm> chosen, double hz)
{
    driftUp_ = driftRisingAfter(chosen, hz, driftUp_);
    const double step = kDriftHzPerMs * halfPeriodMs(hz);
    const RhythmBand* rhythm = bandOf(chosen);
    if (!rhythm)
        return hz + (driftUp_ ? step : -step);
    // A step ends on the band's edge rather than pass it, and turns there, so the
    // long phases of the low rhythms can never step to zero or below.
    if (driftUp_ && hz + step >= rhythm->highHz) {
        driftUp_ = false;
        return rhythm->highHz;
    }
    if (!driftUp_ && hz - step <= rhythm->lowHz) {
        driftUp_ = true;
        return rhythm->lowHz;
    }
    return hz + (driftUp_ ? step : -step);
}

void StimulationWindow::scheduleNextFlip(std::int64_t thisFlipNs)
{
    const double hz = stimulationFrequency;
    if (!(hz > 0.0))
        return;
    // The next flip is placed from this flip's exact due time, not from a whole
    // number of milliseconds, so rounding never adds up and the rate follows the
    // frequency as it drifts.
    const std::int64_t halfNs = std::llround(halfPeriodMs(hz) * kNsPerMs);
    std::int64_t next = thisFlipNs + halfNs;
    const std::int64_t now = platform().monotonicNs();
    // After a stall longer than a phase, start afresh rather than flip in a burst.
    if (next <= now)
        next = now + halfNs;
    flipTimer->setNextDeadlineNs(next);
}

void StimulationWindow::pictureChanged()
{
    placeCovers();
    // A picture that arrives during the blank phase is shown at once: a marker
    // holds the lit phase while it is on show, a mandala until the next tick.
    if (!pictureArea->Picture().isEmpty() && !lit_) {
        lit_ = true;
        textCover_->hide();
        pictureCover_->hide();
    }
}

void StimulationWindow::showPhase(bool lit)
{
    lit_ = lit;
    if (showPhaseOnFrames(lit))
        return;
    textCover_->setVisible(!lit);
    pictureCover_->setVisible(!lit);
    // A synchronous repaint of what differs between the phases: the frame is
    // composed off-screen and shown at the moment the phase is due rather than
    // whenever the event loop comes to it. The blank phase repaints the opaque
    // covers themselves: a repaint of the window would let the backing store paint
    // the line it no longer shows over a cover that it paints on its own.
    if (!isVisible())
        return;
    if (lit) {
        repaint(QRegion(textCover_->geometry()) + pictureCover_->geometry());
    } else {
        textCover_->repaint();
        pictureCover_->repaint();
    }
}

}  // namespace pvstim
