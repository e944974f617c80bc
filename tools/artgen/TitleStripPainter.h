#pragma once

#include "FontLibrary.h"

#include <QImage>
#include <QString>

namespace artgen {

enum class TitleLook { Active, Inactive };

// The 554 x 25 strip across the top of the control window: a horizontal gradient,
// a small emblem and the caption on the left, and the minimize and close buttons
// painted where the live buttons lie over it. The active look is saturated blue,
// the inactive one grey, with the same layout.
class TitleStripPainter {
public:
    explicit TitleStripPainter(const FontLibrary& fonts) : fonts_(fonts) { }
    QImage paint(TitleLook look, const QString& caption) const;

    static constexpr int width = 554;
    static constexpr int height = 25;

private:
    const FontLibrary& fonts_;
};

}  // namespace artgen
