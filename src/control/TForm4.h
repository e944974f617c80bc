#pragma once

#include "framework/Form.h"

namespace pvstim {

class TImage;

// The mini bar: a small always-on-top strip in the bottom-left corner of the
// screen that stands in for the control window while it is minimized.
class TForm4 : public TForm {
public:
    TForm4();

    TImage* Image1;   // background
    TImage* Image2;   // close image
    TImage* Image3;   // restore image

    void Image1MouseMove();
    void Image2MouseMove();
    void Image3MouseMove();
    void Image2Click();
    void Image3Click();

protected:
    void FormCreate() override;

private:
    void wireChrome();
};

}  // namespace pvstim
