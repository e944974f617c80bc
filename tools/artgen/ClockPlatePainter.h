#pragma once

#include <QImage>

namespace artgen {

// The 81 x 25 plate behind the clock and the mini bar: a vertical gradient from
// dark to lighter blue with a light-blue edge on the top and left and a dark-navy
// edge on the right and bottom, so it reads as a raised tile.
class ClockPlatePainter {
public:
    static QImage paint();
};

}  // namespace artgen
