#include "framework/CheckBox.h"

#include "framework/Handler.h"

#include <QPainter>
#include <QStyleOptionButton>

namespace pvstim {

namespace {

constexpr int kCaptionToBoxGap = 4;

}  // namespace

TCheckBox::TCheckBox(QWidget* parent, const QString& name, const QString& caption)
    : QCheckBox(caption, parent)
{
    setObjectName(name);
    setTristate(false);
    setLook(font_, background_);
    connect(this, &QCheckBox::toggled, this, [this](bool) { runHandler(OnClick); });
}

void TCheckBox::setLook(const TFont& font, TColor background)
{
    font_ = font;
    background_ = background;
    QWidget::setFont(font.toQFont());
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(background));
    p.setColor(QPalette::WindowText, toQColor(font.color));
    setPalette(p);
    update();
}

QRect TCheckBox::boxRect() const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int w = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
    const int h = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
    return QRect(width() - w - 1, (height() - h) / 2, w, h);
}

QRect TCheckBox::captionRect() const
{
    return QRect(0, 0, std::max(0, boxRect().left() - kCaptionToBoxGap), height());
}

void TCheckBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), toQColor(background_));

    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = boxRect();
    style()->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, this);

    const QRect caption = captionRect();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    painter.setFont(font_.toQFont());
    if (isEnabled()) {
        painter.setPen(toQColor(font_.color));
        painter.drawText(caption, flags, text());
    } else {
        // Greyed as the labels are: a highlight copy one pixel down-right under a shadow copy.
        painter.setPen(toQColor(clBtnHighlight));
        painter.drawText(caption.translated(1, 1), flags, text());
        painter.setPen(toQColor(clBtnShadow));
        painter.drawText(caption, flags, text());
    }

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = painter.boundingRect(caption, flags, text()).adjusted(-1, 0, 1, 0) & rect();
        focus.backgroundColor = toQColor(background_);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

bool TCheckBox::hitButton(const QPoint& pos) const { return rect().contains(pos); }

// Two states only: a click always toggles, even if something turned the
// third state on.
void TCheckBox::nextCheckState() { setChecked(!isChecked()); }

}  // namespace pvstim
