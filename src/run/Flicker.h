#pragma once

#include "run/Rhythm.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>

namespace pvstim {

// How the run timer moves the frequency over a run in Auto.
enum class AutoDrift { None, Falling, Rising };

// The flicker without a widget: the chosen rhythm preset, the frequency, the manual
// drift that moves it back and forth inside the rhythm's band, the automatic drift
// over a run, and when the next flip is due. The stimulation window owns it and
// turns its phases.
class Flicker {
public:
    std::optional<Rhythm> rhythm;        // empty while none is chosen
    double frequency = 0.0;              // Hz
    bool driftRising = false;            // the manual drift's direction
    AutoDrift autoDrift = AutoDrift::None;

    // Called with the frequency text each time a flip shows it.
    std::function<void(const QString&)> frequencyShown;

    // Chooses a preset, or none; a preset sets its base frequency. True when the
    // frequency was set.
    bool selectRhythm(std::optional<Rhythm> chosen);
    // Takes a frequency above zero; false, and nothing changed, for any other value.
    bool setFrequency(double hz);
    // One phase, lit or blank, in whole milliseconds: half a period.
    int phaseMs() const;
    // What a flip does to the frequency: shows it, then, with the manual drift on,
    // takes one drift step from it, kept inside the band of the chosen rhythm. True
    // when the frequency was set.
    bool flip(bool manualDrift);
    // One second of a run in Auto: `step` is the second's share of the run.
    void driftOverRun(double step);
    // When the flip after one due at `thisFlipNs` is due, at `nowNs`; nothing when
    // the frequency is not above zero.
    std::optional<std::int64_t> nextFlipNs(std::int64_t thisFlipNs, std::int64_t nowNs) const;

private:
    double driftedFrequency(double hz);
};

}  // namespace pvstim
