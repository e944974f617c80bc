#pragma once

namespace pvstim {

// Creates the five windows in their order: for each, the program-wide reference is
// set, its design data built, its create step run (an error there shows the error
// box and skips the rest of that step) and, where its design says so, it is shown.
// The control window becomes the main window.
void createWindowSet();
// Destroys the windows and clears the references (the program's end, and tests).
void destroyWindowSet();

}  // namespace pvstim
