#pragma once

#include "framework/Form.h"

#include <functional>

namespace pvstim {

class TImage;

// The overlay window: a screen-sized, alpha-blended window holding one mandala
// picture, its opacity following the intensity setting. It is prepared and kept
// up to date but never shown.
class OverlayWindow : public TForm {
public:
    // `restoreIntensity` sets the intensity stored in the settings, which sets this
    // window's opacity; the create step runs it first.
    explicit OverlayWindow(std::function<void()> restoreIntensity);

    TImage* mandalaImage;

protected:
    void FormCreate() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The picture fills the whole client area.
    void alignPicture();
    std::function<void()> restoreIntensity_;
};

}  // namespace pvstim
