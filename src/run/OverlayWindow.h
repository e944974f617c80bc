#pragma once

#include "framework/Form.h"

namespace pvstim {

class TImage;

// The overlay window: a screen-sized, alpha-blended window holding one mandala
// picture, its opacity following the intensity setting. It is prepared and kept
// up to date but never shown.
class OverlayWindow : public TForm {
public:
    OverlayWindow();

    TImage* mandalaImage;

protected:
    void FormCreate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The picture fills the whole client area.
    void alignPicture();
};

}  // namespace pvstim
