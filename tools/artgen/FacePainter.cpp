#include "FacePainter.h"

#include "HeadingRenderer.h"

#include <QPainter>

#include <stdexcept>

namespace artgen {

namespace {

const QColor fieldColour(233, 233, 233);
const QColor outlineColour(128, 128, 128);
const QColor groupLineColour(150, 150, 150);
const QColor headerBandColour(221, 226, 234);
const QColor labelFaceColour(231, 234, 235);  // the label buttons' own background
const QColor headingColour(0, 64, 128);
const QColor discColour(196, 196, 196);
const QColor sunkenLight(255, 255, 255);

// Corners are inclusive pixel positions.
QRect span(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

struct Panel {
    QRect bounds;
    int headerBottom;  // last row of the header band
};

const Panel panels[] = {
    { span(7, 30, 293, 371), 55 },
    { span(296, 30, 547, 371), 55 },
};

// One-pixel lines that separate groups of controls, as (x1, y1)-(x2, y2).
struct Line {
    int x1, y1, x2, y2;
};

const Line groupLines[] = {
    // left column: rhythms | intensity | what to show
    { 9, 265, 145, 265 },
    { 9, 313, 145, 313 },
    // middle column: end of run | time left and run length | power-off | what to show
    { 148, 145, 291, 145 },
    { 148, 293, 291, 293 },
    { 148, 321, 291, 321 },
    // right panel: look of the text | line interval | text choice | frequency | buttons
    { 298, 199, 545, 199 },
    { 298, 232, 545, 232 },
    { 298, 303, 545, 303 },
    { 298, 332, 545, 332 },
};

// The split between the left and the middle column, two pixels wide.
const QRect columnSplit = span(146, 56, 147, 321);

// Places of the label buttons (left, top, width, height): the rhythm labels, the
// font and reset labels, and the help, book and start labels. Each gets a frame a
// few pixels larger, which leaves room for the label's pressed shift.
const QRect labelButtons[] = {
    { 35, 116, 82, 16 },   // Низкий Бета
    { 24, 146, 107, 16 },  // Высокий Альфа
    { 29, 178, 96, 16 },   // Низкий Альфа
    { 57, 210, 32, 16 },   // Тета
    { 49, 242, 56, 16 },   // Дельта
    { 325, 107, 46, 16 },  // Шрифт
    { 391, 107, 139, 16 }, // Сброс по умолчанию
    { 315, 340, 72, 19 },  // Справка
    { 405, 340, 52, 19 },  // Книга
    { 481, 340, 47, 19 },  // Старт
};

constexpr int frameMarginX = 3;
constexpr int frameMarginY = 2;

// The preview label of the reading text's look sits in a sunken frame.
const QRect previewLabel(324, 136, 203, 54);

struct Heading {
    QStringList lines;
    QRect box;
};

const Heading headings[] = {
    { { QStringLiteral("Параметры визуализации текста") }, span(311, 38, 526, 50) },
    { { QStringLiteral("Ритмы активности"), QStringLiteral("головного мозга:") }, span(14, 83, 132, 106) },
    { { QStringLiteral("В конце сеанса:") }, span(154, 84, 257, 95) },
    { { QStringLiteral("Осталось мин:") }, span(174, 148, 266, 157) },
    { { QStringLiteral("Уст. длительности") }, span(164, 188, 282, 199) },
    { { QStringLiteral("Цвет фона:") }, span(311, 73, 384, 85) },
    { { QStringLiteral("Частота смены кадров (мс)") }, span(306, 209, 481, 221) },
    { { QStringLiteral("Выбор текста:") }, span(370, 238, 461, 250) },
    { { QStringLiteral("Непрозрачность (%)") }, span(14, 272, 142, 284) },
};

// The dial face under the needle gauge.
const QRect discBox = span(182, 204, 269, 288);

void paintOutline(QPainter& painter, const QRect& bounds, int thickness, const QColor& colour)
{
    painter.fillRect(QRect(bounds.left(), bounds.top(), bounds.width(), thickness), colour);
    painter.fillRect(QRect(bounds.left(), bounds.bottom() - thickness + 1, bounds.width(), thickness), colour);
    painter.fillRect(QRect(bounds.left(), bounds.top(), thickness, bounds.height()), colour);
    painter.fillRect(QRect(bounds.right() - thickness + 1, bounds.top(), thickness, bounds.height()), colour);
}

void paintPanels(QPainter& painter)
{
    for (const Panel& panel : panels) {
        const QRect inner = panel.bounds.adjusted(2, 2, -2, -2);
        painter.fillRect(span(inner.left(), inner.top(), inner.right(), panel.headerBottom - 1), headerBandColour);
        painter.fillRect(span(inner.left(), panel.headerBottom, inner.right(), panel.headerBottom), outlineColour);
        paintOutline(painter, panel.bounds, 2, outlineColour);
    }
    painter.fillRect(columnSplit, outlineColour);
}

void paintGroupLines(QPainter& painter)
{
    for (const Line& line : groupLines)
        painter.fillRect(span(line.x1, line.y1, line.x2, line.y2), groupLineColour);
}

void paintFrames(QPainter& painter)
{
    for (const QRect& label : labelButtons) {
        const QRect frame = label.adjusted(-frameMarginX, -frameMarginY, frameMarginX, frameMarginY);
        painter.fillRect(frame, labelFaceColour);
        paintOutline(painter, frame, 1, outlineColour);
    }
    const QRect sunken = previewLabel.adjusted(-1, -1, 1, 1);
    painter.fillRect(span(sunken.left(), sunken.top(), sunken.right(), sunken.top()), outlineColour);
    painter.fillRect(span(sunken.left(), sunken.top(), sunken.left(), sunken.bottom()), outlineColour);
    painter.fillRect(span(sunken.left(), sunken.bottom(), sunken.right(), sunken.bottom()), sunkenLight);
    painter.fillRect(span(sunken.right(), sunken.top() + 1, sunken.right(), sunken.bottom()), sunkenLight);
}

void paintDisc(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(outlineColour, 1.0));
    painter.setBrush(discColour);
    // The pen is centred on the path, so inset half a pixel to keep it in the box.
    painter.drawEllipse(QRectF(discBox).adjusted(0.5, 0.5, -0.5, -0.5));
    painter.restore();
}

}  // namespace

QImage FacePainter::paint() const
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fieldColour);
    {
        QPainter painter(&image);
        paintOutline(painter, image.rect(), 3, outlineColour);
        paintPanels(painter);
        paintGroupLines(painter);
        paintFrames(painter);
        paintDisc(painter);
    }
    const HeadingRenderer renderer(fonts_, headingColour);
    for (const Heading& heading : headings) {
        if (renderer.paint(image, heading.lines, heading.box) == 0)
            throw std::runtime_error("heading \"" + heading.lines.join(' ').toStdString() + "\" does not fit its box");
    }
    return image;
}

}  // namespace artgen
