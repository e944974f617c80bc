#pragma once

#include "framework/Font.h"

#include <QWidget>

#include <algorithm>
#include <functional>

class QLineEdit;
class QToolButton;

namespace pvstim {

// A whole-number field with up and down arrows.
//  - Value() is the integer in the field; a field without one reads as MinValue.
//  - The arrows step by Increment within the bounds; a value set by code is
//    brought into the bounds first.
//  - Typing accepts digits, "+", "-" and the locale's decimal separator; other
//    control keys than Enter pass through. A typed value is read as it is, also
//    outside the bounds, until the user moves the focus to another control of the
//    window (Tab, Shift+Tab, a click, a shortcut); then it is brought into the
//    bounds. Activation changes and hiding leave the typed text as it is.
//  - OnChange runs on every change of the field's text, whoever made it; setting
//    the value already shown runs nothing.
class TSpinEdit : public QWidget {
public:
    TSpinEdit(QWidget* parent, const QString& name, int minValue, int maxValue, int value);
    ~TSpinEdit() override;

    int Value() const;
    void setValue(int v);
    int MinValue() const { return min_; }
    int MaxValue() const { return max_; }
    int Increment = 1;
    QString text() const;
    bool Enabled() const { return isEnabled(); }
    void setBounds(int left, int top, int w, int h) { setGeometry(left, top, w, h); }
    void setLook(const TFont& font);

    // Stepping as the arrows do.
    void stepUp();
    void stepDown();
    // The edit field, for tests that type into it.
    QLineEdit* editor() const { return edit_; }

    std::function<void()> OnChange;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void setText(const QString& text);
    void stepBy(long long delta);
    static bool focusMovedWithinWindow(Qt::FocusReason reason);
    int clamp(int v) const { return std::clamp(v, min_, max_); }

    QLineEdit* edit_;
    QToolButton* up_;
    QToolButton* down_;
    int min_;
    int max_;
};

}  // namespace pvstim
