#include "MandalaPainter.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <functional>

namespace artgen {

namespace {

constexpr double centre = MandalaPainter::size / 2.0;

// Runs `draw` once for each of `count` turns around the centre; `draw` paints the
// motif pointing straight up from the centre, which is the origin while it runs.
void repeatAround(QPainter& painter, int count, double offsetDegrees, const std::function<void(QPainter&)>& draw)
{
    for (int i = 0; i < count; ++i) {
        painter.save();
        painter.translate(centre, centre);
        painter.rotate(offsetDegrees + 360.0 * i / count);
        draw(painter);
        painter.restore();
    }
}

// A petal from radius `inner` to radius `outer` along the upward axis, `halfWidth`
// wide at its fullest.
QPainterPath petal(double inner, double outer, double halfWidth)
{
    QPainterPath path;
    const double middle = (inner + outer) / 2.0;
    path.moveTo(0, -inner);
    path.cubicTo(halfWidth, -middle + (outer - inner) * 0.15, halfWidth * 0.6, -outer + (outer - inner) * 0.1, 0, -outer);
    path.cubicTo(-halfWidth * 0.6, -outer + (outer - inner) * 0.1, -halfWidth, -middle + (outer - inner) * 0.15, 0, -inner);
    return path;
}

void ring(QPainter& painter, double radius, const QColor& colour, double width)
{
    painter.setPen(QPen(colour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(centre, centre), radius, radius);
}

void fillBackground(QPainter& painter, const QColor& inner, const QColor& outer)
{
    QRadialGradient gradient(QPointF(centre, centre), centre * 1.42);
    gradient.setColorAt(0, inner);
    gradient.setColorAt(1, outer);
    painter.fillRect(QRectF(0, 0, MandalaPainter::size, MandalaPainter::size), gradient);
}

void paintSunLotus(QPainter& painter)
{
    fillBackground(painter, QColor(88, 24, 96), QColor(18, 4, 30));
    ring(painter, 425, QColor(236, 180, 60), 4);
    repeatAround(painter, 48, 0, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(250, 210, 90));
        p.drawEllipse(QPointF(0, -400), 7, 7);
    });
    repeatAround(painter, 24, 7.5, [](QPainter& p) {
        p.setPen(QPen(QColor(120, 40, 10), 2));
        p.setBrush(QColor(232, 150, 40));
        p.drawPath(petal(250, 385, 40));
    });
    repeatAround(painter, 12, 0, [](QPainter& p) {
        QRadialGradient shade(QPointF(0, 0), 330);
        shade.setColorAt(0.3, QColor(255, 220, 120));
        shade.setColorAt(1.0, QColor(210, 40, 40));
        p.setPen(QPen(QColor(90, 10, 20), 2.5));
        p.setBrush(shade);
        p.drawPath(petal(90, 330, 80));
        p.setPen(QPen(QColor(255, 240, 200), 2));
        p.drawLine(QPointF(0, -120), QPointF(0, -290));
    });
    ring(painter, 95, QColor(255, 230, 150), 5);
    repeatAround(painter, 8, 22.5, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(140, 30, 120));
        p.drawPath(petal(0, 80, 26));
    });
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 236, 170));
    painter.drawEllipse(QPointF(centre, centre), 22, 22);
}

void paintNightStar(QPainter& painter)
{
    fillBackground(painter, QColor(10, 40, 90), QColor(2, 6, 24));
    repeatAround(painter, 64, 0, [](QPainter& p) {
        p.setPen(QPen(QColor(70, 130, 200), 1.5));
        p.drawLine(QPointF(0, -150), QPointF(0, -440));
    });
    const double starRadii[] = { 420, 320, 220, 120 };
    const QColor starColours[] = { QColor(20, 110, 140), QColor(40, 180, 200), QColor(200, 240, 255), QColor(250, 200, 60) };
    for (int layer = 0; layer < 4; ++layer) {
        const double r = starRadii[layer];
        // Two squares, one turned by an eighth, make an eight-pointed star.
        QPainterPath star;
        for (const double turn : { 0.0, 45.0 }) {
            QTransform t;
            t.translate(centre, centre);
            t.rotate(turn);
            QPainterPath square;
            const double h = r / 1.4142135623730951;
            square.addRect(QRectF(-h, -h, 2 * h, 2 * h));
            star = star.united(t.map(square));
        }
        painter.setPen(QPen(QColor(0, 20, 50), 3));
        painter.setBrush(starColours[layer]);
        painter.drawPath(star);
    }
    repeatAround(painter, 16, 0, [](QPainter& p) {
        p.setPen(QPen(QColor(230, 250, 255), 2.5));
        p.setBrush(QColor(20, 70, 120));
        p.drawEllipse(QPointF(0, -265), 18, 18);
    });
    repeatAround(painter, 8, 0, [](QPainter& p) {
        p.setPen(QPen(QColor(120, 60, 0), 2));
        p.setBrush(QColor(255, 150, 40));
        p.drawPath(petal(10, 110, 22));
    });
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QPointF(centre, centre), 14, 14);
}

void paintGreenRosette(QPainter& painter)
{
    fillBackground(painter, QColor(12, 60, 30), QColor(0, 12, 6));
    ring(painter, 430, QColor(150, 230, 90), 3);
    ring(painter, 412, QColor(150, 230, 90), 1.5);
    repeatAround(painter, 16, 0, [](QPainter& p) {
        p.setPen(QPen(QColor(170, 255, 110), 2));
        p.setBrush(QColor(220, 40, 160, 46));
        p.drawEllipse(QPointF(0, -200), 200, 200);
    });
    repeatAround(painter, 32, 5.625, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 120, 210));
        p.drawEllipse(QPointF(0, -412), 6, 6);
    });
    repeatAround(painter, 8, 22.5, [](QPainter& p) {
        p.setPen(QPen(QColor(30, 80, 10), 2));
        p.setBrush(QColor(200, 250, 120));
        p.drawPath(petal(40, 170, 45));
    });
    repeatAround(painter, 8, 0, [](QPainter& p) {
        p.setPen(QPen(QColor(90, 0, 60), 2));
        p.setBrush(QColor(240, 90, 190));
        p.drawPath(petal(30, 120, 28));
    });
    ring(painter, 30, QColor(255, 255, 210), 4);
}

}  // namespace

QImage MandalaPainter::paint(MandalaDesign design)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (design) {
    case MandalaDesign::SunLotus:
        paintSunLotus(painter);
        break;
    case MandalaDesign::NightStar:
        paintNightStar(painter);
        break;
    case MandalaDesign::GreenRosette:
        paintGreenRosette(painter);
        break;
    }
    return image;
}

}  // namespace artgen
