#pragma once

#include <QByteArray>
#include <QImage>

namespace artgen {

// The program's icon at one of the desktop's square sizes: a dark-blue rounded
// tile with a light disc ringed by alternating light and dark bands, the light
// and the blank phases of a flicker. Drawn anew for each size rather than scaled,
// so that the small icon keeps its rings apart. Transparent outside the tile.
class IconPainter {
public:
    static QImage paint(int size);
    static QByteArray encodePng(const QImage& image);
};

}  // namespace artgen
