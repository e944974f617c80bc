#include "framework/SpinEdit.h"

#include "framework/Handler.h"
#include "platform/Platform.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace pvstim {

TSpinEdit::TSpinEdit(QWidget* parent, const QString& name, int minValue, int maxValue, int value)
    : QWidget(parent)
    , edit_(new QLineEdit(this))
    , up_(new QToolButton(this))
    , down_(new QToolButton(this))
    , min_(minValue)
    , max_(maxValue)
{
    setObjectName(name);
    edit_->setText(QString::number(clamp(value)));
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    up_->setFocusPolicy(Qt::NoFocus);
    down_->setFocusPolicy(Qt::NoFocus);
    up_->setAutoRepeat(true);
    down_->setAutoRepeat(true);
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);

    const QString separator = QRegularExpression::escape(platform().numberFormat().decimalSeparator);
    edit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9+\\-%1]*").arg(separator)), edit_));
    edit_->installEventFilter(this);

    connect(edit_, &QLineEdit::textChanged, this, [this](const QString&) { runHandler(OnChange); });
    connect(up_, &QToolButton::clicked, this, [this] { stepUp(); });
    connect(down_, &QToolButton::clicked, this, [this] { stepDown(); });
}

TSpinEdit::~TSpinEdit()
{
    // The field may lose the focus while the window is torn down; nothing may run then.
    edit_->removeEventFilter(this);
    OnChange = nullptr;
}

QString TSpinEdit::text() const { return edit_->text(); }

int TSpinEdit::Value() const
{
    bool ok = false;
    const int v = edit_->text().trimmed().toInt(&ok);
    return ok ? v : min_;
}

void TSpinEdit::setText(const QString& text)
{
    if (text != edit_->text())
        edit_->setText(text);
}

void TSpinEdit::setValue(int v) { setText(QString::number(clamp(v))); }

// The step is taken from the value in the field, which may lie outside the
// bounds while typed, and the result is brought into the bounds.
void TSpinEdit::stepBy(long long delta)
{
    const long long v = std::clamp(static_cast<long long>(Value()) + delta, static_cast<long long>(min_),
        static_cast<long long>(max_));
    setValue(static_cast<int>(v));
}

void TSpinEdit::stepUp() { stepBy(Increment); }
void TSpinEdit::stepDown() { stepBy(-static_cast<long long>(Increment)); }

void TSpinEdit::setLook(const TFont& font)
{
    edit_->setFont(font.toQFont());
}

// The user chose to leave the field for another control of its window. The window
// losing activation (another program, a dialog, minimizing), a menu opening or the
// focus being cleared as the window hides is no such choice, and the typed text stays.
bool TSpinEdit::focusMovedWithinWindow(Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        return true;
    default:
        return false;
    }
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_) {
        if (event->type() == QEvent::FocusOut) {
            if (focusMovedWithinWindow(static_cast<QFocusEvent*>(event)->reason()))
                setValue(Value());
        } else if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Up) {
                stepUp();
                return true;
            }
            if (key->key() == Qt::Key_Down) {
                stepDown();
                return true;
            }
            // Enter is not a character the field takes; it does nothing here.
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TSpinEdit::resizeEvent(QResizeEvent*)
{
    const int buttonWidth = 15;
    const int half = height() / 2;
    edit_->setGeometry(0, 0, width() - buttonWidth, height());
    up_->setGeometry(width() - buttonWidth, 0, buttonWidth, half);
    down_->setGeometry(width() - buttonWidth, half, buttonWidth, height() - half);
}

}  // namespace pvstim
