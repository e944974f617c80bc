#include "framework/Label.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace pvstim {

TLabel::TLabel(QWidget* parent, const QString& name)
    : TGraphicControl(parent)
{
    setObjectName(name);
    caption_ = name;
    QWidget::setFont(font_.toQFont());
    adjustSizeToCaption();
}

void TLabel::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    adjustSizeToCaption();
    update();
}

void TLabel::setFont(const TFont& font)
{
    if (font == font_)
        return;
    font_ = font;
    QWidget::setFont(font_.toQFont());
    adjustSizeToCaption();
    update();
}

void TLabel::setFontColor(TColor c)
{
    if (c == font_.color)
        return;
    font_.color = c;
    update();
}

void TLabel::setColor(TColor c)
{
    if (c == color_)
        return;
    color_ = c;
    update();
}

void TLabel::setTransparent(bool on)
{
    transparent_ = on;
    update();
}

void TLabel::setAutoSize(bool on)
{
    autoSize_ = on;
    adjustSizeToCaption();
}

void TLabel::setAlignment(TextAlignment a)
{
    alignment_ = a;
    update();
}

void TLabel::setWordWrap(bool on)
{
    wordWrap_ = on;
    adjustSizeToCaption();
    update();
}

void TLabel::setButtonLook(const TLabelButtonLook& look)
{
    buttonLook_ = look;
    showHot(isHot());
}

void TLabel::showHot(bool hot)
{
    if (!buttonLook_)
        return;
    TFont font = font_;
    font.color = hot ? buttonLook_->hotColor : buttonLook_->restColor;
    font.style = hot ? font.style | buttonLook_->hotStyle : font.style & ~buttonLook_->hotStyle;
    setFont(font);
}

// Enter and leave reach a disabled widget too; the release is taken here, before
// a disabled widget would drop it, so a label disabled while held goes back.
bool TLabel::event(QEvent* event)
{
    const bool result = TGraphicControl::event(event);
    switch (event->type()) {
    case QEvent::Enter:
        showHot(true);
        break;
    case QEvent::Leave:
        showHot(false);
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            release();
        break;
    default:
        break;
    }
    return result;
}

void TLabel::mousePressEvent(QMouseEvent* event)
{
    if (buttonLook_ && event->button() == Qt::LeftButton && !held_) {
        held_ = true;
        move(pos() + QPoint(buttonLook_->pressShift, buttonLook_->pressShift));
        if (!buttonLook_->pressedCaption.isEmpty()) {
            restCaption_ = caption_;
            setCaption(buttonLook_->pressedCaption);
        }
    }
    TGraphicControl::mousePressEvent(event);
}

void TLabel::release()
{
    if (!held_)
        return;
    held_ = false;
    move(pos() - QPoint(buttonLook_->pressShift, buttonLook_->pressShift));
    if (!buttonLook_->pressedCaption.isEmpty())
        setCaption(restCaption_);
}

void TLabel::adjustSizeToCaption()
{
    if (!autoSize_)
        return;
    const QFontMetrics metrics(font_.toQFont());
    if (wordWrap_) {
        const QRect r = metrics.boundingRect(QRect(0, 0, std::max(1, width()), 100000),
            Qt::TextWordWrap, caption_);
        resize(width(), std::max(r.height(), metrics.height()));
    } else {
        resize(metrics.horizontalAdvance(caption_), metrics.height());
    }
}

void TLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!transparent_)
        painter.fillRect(rect(), toQColor(color_));
    painter.setFont(font_.toQFont());

    int flags = Qt::AlignTop | Qt::TextExpandTabs;
    switch (alignment_) {
    case TextAlignment::Left: flags |= Qt::AlignLeft; break;
    case TextAlignment::Center: flags |= Qt::AlignHCenter; break;
    case TextAlignment::Right: flags |= Qt::AlignRight; break;
    }
    if (wordWrap_)
        flags |= Qt::TextWordWrap;

    // Only a label disabled itself is greyed, not one on a window that takes no input.
    if (isEnabledTo(window())) {
        painter.setPen(toQColor(font_.color));
        painter.drawText(rect(), flags, caption_);
    } else {
        // Greyed: a highlight copy one pixel down-right under a shadow copy.
        painter.setPen(toQColor(clBtnHighlight));
        painter.drawText(rect().translated(1, 1), flags, caption_);
        painter.setPen(toQColor(clBtnShadow));
        painter.drawText(rect(), flags, caption_);
    }
}

void TLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    TGraphicControl::changeEvent(event);
}

}  // namespace pvstim
