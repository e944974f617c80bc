#include "HeadingRenderer.h"

#include <QFontMetrics>
#include <QPainter>

namespace artgen {

HeadingRenderer::Lettering HeadingRenderer::letter(const QStringList& lines, int pixelSize) const
{
    const QFont font = fonts_.sansBold(pixelSize);
    const QFontMetrics metrics(font);
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line));
    const int margin = pixelSize;
    const int lineStep = metrics.ascent() + metrics.descent() - 1;
    QImage ink(width + 2 * margin, int(lines.size()) * metrics.height() + 2 * margin,
        QImage::Format_ARGB32_Premultiplied);
    ink.fill(Qt::transparent);

    QPainter painter(&ink);
    painter.setFont(font);
    painter.setPen(colour_);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineWidth = metrics.horizontalAdvance(lines[i]);
        const int x = margin + (width - lineWidth) / 2;
        painter.drawText(x, margin + metrics.ascent() + int(i) * lineStep, lines[i]);
    }
    painter.end();

    int left = ink.width();
    int top = ink.height();
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < ink.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
        for (int x = 0; x < ink.width(); ++x) {
            if (qAlpha(row[x]) == 0)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return { ink, right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom)) };
}

int HeadingRenderer::paint(QImage& target, const QStringList& lines, const QRect& box) const
{
    for (int size = largestPixelSize; size >= smallestPixelSize; --size) {
        const Lettering lettering = letter(lines, size);
        if (lettering.bounds.isEmpty())
            return 0;
        if (lettering.bounds.width() > box.width() || lettering.bounds.height() > box.height())
            continue;
        const int x = box.left() + (box.width() - lettering.bounds.width()) / 2;
        const int y = box.top() + (box.height() - lettering.bounds.height()) / 2;
        QPainter painter(&target);
        painter.drawImage(QPoint(x, y), lettering.ink, lettering.bounds);
        return size;
    }
    return 0;
}

}  // namespace artgen
