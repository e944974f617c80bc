#include "TitleStripPainter.h"

#include "ButtonPainter.h"

#include <QLinearGradient>
#include <QPainter>

namespace artgen {

namespace {

struct Colours {
    QColor left;
    QColor right;
    QColor text;
    QColor emblem;
};

Colours coloursFor(TitleLook look)
{
    if (look == TitleLook::Active)
        return { QColor(6, 30, 118), QColor(92, 156, 236), QColor(255, 255, 255), QColor(255, 214, 64) };
    return { QColor(104, 104, 104), QColor(200, 200, 200), QColor(226, 226, 226), QColor(170, 170, 170) };
}

// Where the live minimize and close buttons sit on the strip.
constexpr QPoint minimizeAt(480, 1);
constexpr QPoint closeAt(508, 1);

}  // namespace

QImage TitleStripPainter::paint(TitleLook look, const QString& caption) const
{
    const Colours colours = coloursFor(look);
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);

    QLinearGradient gradient(0, 0, width, 0);
    gradient.setColorAt(0, colours.left);
    gradient.setColorAt(1, colours.right);
    painter.fillRect(image.rect(), gradient);

    // Emblem: a disc in a ring, the flicker source the program is about.
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colours.emblem, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(13, 12.5), 7.5, 7.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.emblem);
    painter.drawEllipse(QPointF(13, 12.5), 3.5, 3.5);

    painter.setFont(fonts_.sansBold(14));
    painter.setPen(colours.text);
    painter.drawText(QRect(27, 0, 300, height), Qt::AlignLeft | Qt::AlignVCenter, caption);
    painter.end();

    const QImage minimize = ButtonPainter::minimize(ButtonState::Normal);
    const QImage close = ButtonPainter::close(ButtonState::Normal);
    QPainter buttons(&image);
    buttons.drawImage(minimizeAt, minimize);
    buttons.drawImage(closeAt, close);
    return image;
}

}  // namespace artgen
