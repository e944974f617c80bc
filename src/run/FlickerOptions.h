#pragma once

#include <QString>

namespace pvstim {

// How the flicker's phases reach the screen.
enum class PresenterChoice {
    Auto,   // measure the display's swaps at the start and take the frames if steady
    Timer,  // a precise timer flips the phases; the display shows them at its next refresh
    Frame,  // phases last whole display frames, counted from OpenGL swaps
};

// The flicker's options from the command line; the defaults otherwise.
struct FlickerOptions {
    PresenterChoice presenter = PresenterChoice::Auto;
    QString flipLogPath;  // empty: no flip log
};

FlickerOptions& flickerOptions();

}  // namespace pvstim
