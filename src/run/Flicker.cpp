#include "run/Flicker.h"

#include "platform/Platform.h"

#include <algorithm>
#include <climits>
#include <cmath>

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

// Over a whole run the falling drift lowers the frequency by 60 / 6.2 Hz and the
// rising drift raises it by 60 / 8.5 Hz, whatever the run length; the rising drift
// starts from at most 15 Hz.
constexpr double kFallingDivisor = 6.2;
constexpr double kRisingDivisor = 8.5;
constexpr double kWakeCeilingHz = 15.0;

const RhythmBand* bandOf(std::optional<Rhythm> rhythm)
{
    return rhythm ? &kBands[indexOf(*rhythm)] : nullptr;
}

// The drift direction after testing `hz` against the band's edges.
bool driftRisingAfter(const RhythmBand* band, double hz, bool rising)
{
    if (!band)
        return rising;
    const bool inclusive = band->edges == BandEdges::Inclusive;
    if (inclusive ? hz <= band->lowHz : hz < band->lowHz)
        return true;
    if (inclusive ? hz >= band->highHz : hz > band->highHz)
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

bool Flicker::selectRhythm(std::optional<Rhythm> chosen)
{
    rhythm = chosen;
    const RhythmBand* band = bandOf(chosen);
    return band && setFrequency(band->baseHz);
}

bool Flicker::setFrequency(double hz)
{
    if (!(hz > 0.0) || !std::isfinite(hz))
        return false;
    frequency = hz;
    return true;
}

int Flicker::phaseMs() const { return int(std::lround(halfPeriodMs(frequency))); }

bool Flicker::flip(bool manualDrift)
{
    if (frequencyShown)
        frequencyShown(QStringLiteral("Частота стимуляции ГМ: ") + frequencyText(frequency) + QStringLiteral(" Hz"));
    return setFrequency(manualDrift ? driftedFrequency(frequency) : frequency);
}

double Flicker::driftedFrequency(double hz)
{
    const RhythmBand* band = bandOf(rhythm);
    driftRising = driftRisingAfter(band, hz, driftRising);
    const double step = kDriftHzPerMs * halfPeriodMs(hz);
    if (!band)
        return hz + (driftRising ? step : -step);
    // A step ends on the band's edge rather than pass it, and turns there, so the
    // long phases of the low rhythms can never step to zero or below.
    if (driftRising && hz + step >= band->highHz) {
        driftRising = false;
        return band->highHz;
    }
    if (!driftRising && hz - step <= band->lowHz) {
        driftRising = true;
        return band->lowHz;
    }
    return hz + (driftRising ? step : -step);
}

void Flicker::driftOverRun(double step)
{
    switch (autoDrift) {
    case AutoDrift::Falling:
        frequency -= step / kFallingDivisor;
        break;
    case AutoDrift::Rising:
        frequency = std::min(frequency, kWakeCeilingHz) + step / kRisingDivisor;
        break;
    case AutoDrift::None:
        break;
    }
}

std::optional<std::int64_t> Flicker::nextFlipNs(std::int64_t thisFlipNs, std::int64_t nowNs) const
{
    if (!(frequency > 0.0))
        return std::nullopt;
    // The next flip is placed from this flip's exact due time, not from a whole
    // number of milliseconds, so rounding never adds up and the rate follows the
    // frequency as it drifts.
    const std::int64_t halfNs = std::llround(halfPeriodMs(frequency) * kNsPerMs);
    const std::int64_t next = thisFlipNs + halfNs;
    // After a stall longer than a phase, start afresh rather than flip in a burst.
    return next <= nowNs ? nowNs + halfNs : next;
}

}  // namespace pvstim
