#pragma once

#include <QColor>
#include <QImage>

namespace artgen {

// The visual-field markers. They are drawn without smoothing on a background of
// one colour that no mark uses; the program treats the colour of a marker's
// bottom-left pixel as transparent, so only the marks appear over the text.
class MarkerPainter {
public:
    static QImage fixationCross();  // a centre cross with brackets at the field's corners
    static QImage targetRing();     // a ring of small targets around a centre point
    static QColor background();

    static constexpr int width = 400;
    static constexpr int height = 300;
};

}  // namespace artgen
