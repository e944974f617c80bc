#pragma once

#include "framework/Form.h"

namespace pvstim {

class TImage;

// The mini bar: a small always-on-top strip in the bottom-left corner of the
// screen that stands in for the control window while it is minimized.
class MiniBar : public TForm {
public:
    MiniBar();

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
};

}  // namespace pvstim
