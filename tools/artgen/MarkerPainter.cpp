#include "MarkerPainter.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace artgen {

namespace {

const QColor crossColour(176, 0, 0);
const QColor bracketColour(0, 0, 128);
const QColor centreColour(0, 0, 0);
const QColor targetColours[] = { QColor(0, 96, 192), QColor(208, 96, 0) };

QImage blank()
{
    QImage image(MarkerPainter::width, MarkerPainter::height, QImage::Format_RGB32);
    image.fill(MarkerPainter::background());
    return image;
}

}  // namespace

QColor MarkerPainter::background()
{
    return QColor(255, 0, 255);
}

QImage MarkerPainter::fixationCross()
{
    QImage image = blank();
    QPainter painter(&image);
    const int cx = width / 2;
    const int cy = height / 2;
    constexpr int arm = 40;
    constexpr int thickness = 4;
    painter.fillRect(cx - arm, cy - thickness / 2, 2 * arm, thickness, crossColour);
    painter.fillRect(cx - thickness / 2, cy - arm, thickness, 2 * arm, crossColour);
    painter.fillRect(cx - 3, cy - 3, 6, 6, centreColour);

    // Corner brackets mark the edges of the field the eyes should take in.
    constexpr int inset = 16;
    constexpr int length = 32;
    constexpr int stroke = 3;
    for (const int sx : { -1, 1 }) {
        for (const int sy : { -1, 1 }) {
            const int x = sx < 0 ? inset : width - inset - stroke;
            const int y = sy < 0 ? inset : height - inset - stroke;
            const int hx = sx < 0 ? x : x + stroke - length;
            const int vy = sy < 0 ? y : y + stroke - length;
            painter.fillRect(hx, y, length, stroke, bracketColour);
            painter.fillRect(x, vy, stroke, length, bracketColour);
        }
    }
    return image;
}

QImage MarkerPainter::targetRing()
{
    QImage image = blank();
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    const QPoint centre(width / 2, height / 2);
    constexpr int targets = 12;
    constexpr double radius = 110.0;
    for (int i = 0; i < targets; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / targets;
        const QPoint at(centre.x() + int(std::lround(radius * std::sin(angle))),
            centre.y() - int(std::lround(radius * std::cos(angle))));
        painter.setBrush(targetColours[i % 2]);
        painter.drawEllipse(at, 9, 9);
        painter.setBrush(centreColour);
        painter.drawEllipse(at, 2, 2);
    }
    painter.fillRect(centre.x() - 8, centre.y() - 1, 16, 3, centreColour);
    painter.fillRect(centre.x() - 1, centre.y() - 8, 3, 16, centreColour);
    return image;
}

}  // namespace artgen
