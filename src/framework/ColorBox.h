#pragma once

#include "framework/Color.h"

#include <QComboBox>

#include <functional>

namespace pvstim {

// A drop-down list of colours, each entry a swatch and its name.
class TColorBox : public QComboBox {
public:
    TColorBox(QWidget* parent, const QString& name);

    TColor Selected() const;
    // Selecting from code runs nothing. A colour that is not in the list becomes
    // the "Custom..." entry's colour.
    void setSelected(TColor color);
    bool Enabled() const { return isEnabled(); }
    void setEnabledState(bool on) { setEnabled(on); }
    void setBounds(int left, int top, int w, int h) { setGeometry(left, top, w, h); }

    // Runs when the user picks a colour.
    std::function<void()> OnChange;

private:
    bool settingFromCode_ = false;
};

}  // namespace pvstim
