#pragma once

#include "base/Color.h"
#include "framework/Font.h"
#include "run/Flicker.h"

#include <optional>

namespace pvstim {

// A run as the control window's settings describe it when Start is clicked, handed
// to the stimulation window, which shows it and starts its own timers.
struct RunSettings {
    TFont font;                           // the reading text's look
    TColor background = 0;
    std::optional<double> startHz;        // Sleep or Wakefulness set where the flicker starts
    std::optional<AutoDrift> autoDrift;   // Auto sets how the frequency moves over the run
    bool markers = false;
    bool mandalas = false;
};

}  // namespace pvstim
