#pragma once

#include "framework/Color.h"
#include "framework/Font.h"

#include <QCheckBox>

#include <functional>

namespace pvstim {

// A two-state check box with its caption left of the box. OnClick runs on every
// change of the checked state, whoever made it (a click, another handler, loading
// settings), nested to completion; setting the state it already has runs nothing.
class TCheckBox : public QCheckBox {
public:
    TCheckBox(QWidget* parent, const QString& name, const QString& caption);

    bool Checked() const { return isChecked(); }
    void setCheckedState(bool on) { setChecked(on); }
    bool Enabled() const { return isEnabled(); }
    void setEnabledState(bool on) { setEnabled(on); }
    void setBounds(int left, int top, int w, int h) { setGeometry(left, top, w, h); }

    void setLook(const TFont& font, TColor background);

    std::function<void()> OnClick;
};

}  // namespace pvstim
