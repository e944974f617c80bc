#pragma once

#include "framework/Font.h"

#include <functional>

class QWidget;

namespace pvstim {

// The font dialog with an Apply button and an effects section (colour,
// underline, strike-out). Execute() runs it modally through the platform.
class TFontDialog {
public:
    explicit TFontDialog(QWidget* owner) : owner_(owner) { }

    TFont Font;
    // Runs the dialog; returns whether the user accepted it.
    bool Execute();

    std::function<void()> OnApply;   // Apply pressed: Font holds the dialog's current choice
    std::function<void()> OnClose;   // every close, accepted or not

private:
    QWidget* owner_;
};

}  // namespace pvstim
