#pragma once

#include "FontLibrary.h"

#include <QImage>

namespace artgen {

// The control window's face: the light field with its outer border, the two
// outlined panels with their header bands, the lines between groups of controls,
// the frames behind the label buttons, the painted headings and the dial disc
// under the needle gauge. Every place is in the window's client pixels.
class FacePainter {
public:
    explicit FacePainter(const FontLibrary& fonts) : fonts_(fonts) { }
    // Throws std::runtime_error when a heading cannot be lettered inside its box.
    QImage paint() const;

    static constexpr int width = 554;
    static constexpr int height = 381;

private:
    const FontLibrary& fonts_;
};

}  // namespace artgen
