#pragma once

#include <QImage>

namespace artgen {

enum class MandalaDesign { SunLotus, NightStar, GreenRosette };

// Square mandala pictures. Every motif is symmetric about its own radius and is
// repeated around the centre a multiple of four times, so each picture looks the
// same turned by a quarter and mirrored left to right.
class MandalaPainter {
public:
    static QImage paint(MandalaDesign design);

    static constexpr int size = 900;
};

}  // namespace artgen
