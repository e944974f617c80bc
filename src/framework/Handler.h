#pragma once

#include <functional>

namespace pvstim {

// Runs one event handler. An exception that escapes it is shown in the error box
// with its own text and the rest of the handler is skipped; nothing propagates
// into Qt's event loop. Returns false when the handler failed.
bool runHandler(const std::function<void()>& handler);

}  // namespace pvstim
