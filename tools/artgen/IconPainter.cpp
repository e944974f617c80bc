#include "IconPainter.h"

#include <QBuffer>
#include <QPainter>
#include <QPainterPath>

#include <stdexcept>

namespace artgen {

QImage IconPainter::paint(int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal margin = size / 16.0;
    const QRectF tile(margin, margin, size - 2 * margin, size - 2 * margin);
    QLinearGradient shade(tile.topLeft(), tile.bottomLeft());
    shade.setColorAt(0, QColor(0x2A, 0x4F, 0x9E));
    shade.setColorAt(1, QColor(0x0E, 0x1C, 0x48));
    p.setPen(Qt::NoPen);
    p.setBrush(shade);
    p.drawRoundedRect(tile, size / 6.0, size / 6.0);

    // Fewer bands on the small icon, so each stays at least two pixels wide.
    const int bands = size < 64 ? 3 : 5;
    const QPointF centre = tile.center();
    const qreal outer = tile.width() * 0.42;
    for (int band = 0; band < bands; ++band) {
        const qreal radius = outer * (bands - band) / bands;
        p.setBrush(band % 2 == 0 ? QColor(0xF5, 0xF3, 0xDE) : QColor(0x14, 0x26, 0x5C));
        p.drawEllipse(centre, radius, radius);
    }
    p.setBrush(QColor(0xFF, 0xD8, 0x4A));
    p.drawEllipse(centre, outer / bands * 0.6, outer / bands * 0.6);
    return image;
}

QByteArray IconPainter::encodePng(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG"))
        throw std::runtime_error("cannot encode the icon as PNG");
    return bytes;
}

}  // namespace artgen
