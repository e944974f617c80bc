#include "ClockPlatePainter.h"

#include <QColor>

namespace artgen {

namespace {

const QColor topColour(12, 30, 112);
const QColor bottomColour(74, 128, 214);
const QColor lightEdge(157, 191, 255);
const QColor darkEdge(0, 0, 81);

int mix(int from, int to, int step, int steps)
{
    return from + (to - from) * step / steps;
}

}  // namespace

QImage ClockPlatePainter::paint()
{
    constexpr int width = 81;
    constexpr int height = 25;
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        const QColor row(mix(topColour.red(), bottomColour.red(), y, height - 1),
            mix(topColour.green(), bottomColour.green(), y, height - 1),
            mix(topColour.blue(), bottomColour.blue(), y, height - 1));
        for (int x = 0; x < width; ++x)
            image.setPixelColor(x, y, row);
    }
    for (int x = 0; x < width; ++x)
        image.setPixelColor(x, 0, lightEdge);
    for (int y = 0; y < height; ++y)
        image.setPixelColor(0, y, lightEdge);
    for (int x = 0; x < width; ++x)
        image.setPixelColor(x, height - 1, darkEdge);
    for (int y = 0; y < height; ++y)
        image.setPixelColor(width - 1, y, darkEdge);
    return image;
}

}  // namespace artgen
