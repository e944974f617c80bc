#include "ButtonPainter.h"

#include <QColor>
#include <QPainter>

namespace artgen {

namespace {

struct Face {
    QColor fill;
    QColor light;
    QColor shadow;
};

Face faceFor(ButtonState state)
{
    if (state == ButtonState::Hot)
        return { QColor(196, 28, 28), QColor(236, 104, 96), QColor(112, 0, 0) };
    return { QColor(72, 72, 72), QColor(120, 120, 120), QColor(30, 30, 30) };
}

const QColor glyphLight(228, 228, 228);
const QColor glyphCyan(0, 255, 255);
const QColor glyphBlue(0, 40, 255);

QImage blankFace(int width, int height, ButtonState state)
{
    const Face face = faceFor(state);
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(face.fill);
    for (int x = 0; x < width; ++x) {
        image.setPixelColor(x, 0, face.light);
        image.setPixelColor(x, height - 1, face.shadow);
    }
    for (int y = 0; y < height; ++y) {
        image.setPixelColor(0, y, face.light);
        image.setPixelColor(width - 1, y, face.shadow);
    }
    return image;
}

void fillRect(QImage& image, int left, int top, int width, int height, const QColor& colour)
{
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x)
            image.setPixelColor(x, y, colour);
    }
}

}  // namespace

QImage ButtonPainter::minimize(ButtonState state)
{
    QImage image = blankFace(28, 14, state);
    if (state == ButtonState::Hot) {
        fillRect(image, 9, 8, 10, 2, glyphCyan);
        fillRect(image, 9, 10, 10, 1, glyphBlue);
        fillRect(image, 8, 8, 1, 3, glyphBlue);
        fillRect(image, 19, 8, 1, 3, glyphBlue);
    } else {
        fillRect(image, 9, 8, 10, 2, glyphLight);
    }
    return image;
}

QImage ButtonPainter::close(ButtonState state)
{
    QImage image = blankFace(40, 13, state);
    const QColor colour = state == ButtonState::Hot ? glyphCyan : glyphLight;
    // Two strokes two pixels wide over a 9 x 9 square in the middle of the face.
    constexpr int left = 16;
    constexpr int top = 2;
    constexpr int span = 9;
    for (int i = 0; i < span; ++i) {
        image.setPixelColor(left + i, top + i, colour);
        image.setPixelColor(left + i + 1, top + i, colour);
        image.setPixelColor(left + span - 1 - i, top + i, colour);
        image.setPixelColor(left + span - i, top + i, colour);
    }
    return image;
}

QImage ButtonPainter::restore(ButtonState state)
{
    QImage image = blankFace(27, 13, state);
    const QColor colour = state == ButtonState::Hot ? glyphCyan : glyphLight;
    QPainter painter(&image);
    painter.setPen(colour);
    painter.drawRect(8, 3, 10, 6);
    painter.drawLine(9, 4, 17, 4);  // a thicker top edge, like a window's caption
    return image;
}

}  // namespace artgen
