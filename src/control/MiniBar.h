#pragma once

#include "framework/Form.h"

#include <functional>

namespace pvstim {

class TImage;

// The mini bar: a small always-on-top strip in the bottom-left corner of the
// screen that stands in for the control window while it is minimized.
class MiniBar : public TForm {
public:
    // What the bar's two images do to the rest of the program.
    struct Links {
        std::function<void()> closeProgram;
        std::function<void()> restoreControlWindow;  // the bar hides itself after
    };
    explicit MiniBar(Links links);

    TImage* background;     // background
    TImage* closeButton;    // close image
    TImage* restoreButton;  // restore image

    void onBackgroundHovered();
    void onCloseHovered();
    void onRestoreHovered();
    void onCloseClicked();
    void restoreControlWindow();

protected:
    void FormCreate() override;

private:
    void wireChrome();
    Links links_;
};

}  // namespace pvstim
