#pragma once

#include "framework/Form.h"
#include "widgets/HoverPictures.h"

#include <functional>
#include <memory>

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

    void onCloseClicked();
    void restoreControlWindow();

protected:
    void FormCreate() override;

private:
    void wireChrome();
    Links links_;
    std::unique_ptr<HoverPictures> pictures_;  // close and restore images
};

}  // namespace pvstim
