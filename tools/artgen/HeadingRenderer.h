#pragma once

#include "FontLibrary.h"

#include <QColor>
#include <QImage>
#include <QRect>
#include <QStringList>

namespace artgen {

// Letters a heading of one or more lines so that its ink fits a given box: it tries
// pixel sizes from large to small, measures the ink that each size really paints,
// and keeps the largest that fits. The result is centred on the box.
class HeadingRenderer {
public:
    HeadingRenderer(const FontLibrary& fonts, QColor colour) : fonts_(fonts), colour_(colour) { }

    // Paints the heading into `target`; returns the pixel size used, or 0 when even
    // the smallest size does not fit (nothing is painted then).
    int paint(QImage& target, const QStringList& lines, const QRect& box) const;

    static constexpr int largestPixelSize = 16;
    static constexpr int smallestPixelSize = 7;

private:
    struct Lettering {
        QImage ink;   // transparent except for the letters
        QRect bounds; // the ink's bounding box inside `ink`
    };
    Lettering letter(const QStringList& lines, int pixelSize) const;

    const FontLibrary& fonts_;
    QColor colour_;
};

}  // namespace artgen
