#pragma once

#include "framework/Form.h"

namespace pvstim {

class TImage;

// The overlay window: a screen-sized, alpha-blended window holding one mandala
// picture, its opacity following the intensity setting. It is prepared and kept
// up to date but never shown.
class TForm3 : public TForm {
public:
    TForm3();

    TImage* Image1;

protected:
    void FormCreate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The picture fills the whole client area.
    void alignPicture();
};

}  // namespace pvstim
