#pragma once

#include <QImage>

namespace artgen {

enum class ButtonState { Normal, Hot };

// The small caption buttons: a bevelled face, dark grey at rest and red under the
// pointer, carrying a pixel-drawn glyph (bar, diagonal cross or outlined window).
class ButtonPainter {
public:
    static QImage minimize(ButtonState state);  // 28 x 14
    static QImage close(ButtonState state);     // 40 x 13
    static QImage restore(ButtonState state);   // 27 x 13
};

}  // namespace artgen
