#pragma once

#include "base/Color.h"

#include <QComboBox>

#include <functional>
#include <span>

class QIcon;

namespace pvstim {

struct NamedColor {
    const char* name;
    TColor color;
};

// The colours the list offers after its "Custom..." entry, in list order: the
// sixteen standard colours, then the desktop's colour roles.
std::span<const NamedColor> colorBoxColors();
constexpr int kStandardColorCount = 16;

// A colour swatch with a thin dark frame, drawn in the colour the desktop shows.
QIcon colorSwatch(TColor color, QSize size);

// A drop-down list of colours, each entry a swatch and its name; the first entry,
// "Custom...", holds a colour of the user's own choice (black until one is set).
//  - Picking an entry runs OnChange. Picking "Custom..." from the open list first
//    opens the colour dialog on that entry's colour: accepting makes the chosen
//    colour the entry's colour and the selection and runs OnChange; cancelling
//    changes nothing. Stepping onto "Custom..." in the closed list (arrow keys,
//    mouse wheel) selects it with the colour it holds, without the dialog.
//  - Selecting from code runs nothing. A colour that is not in the list becomes
//    the "Custom..." entry's colour.
//  - Typing a letter opens the list.
class TColorBox : public QComboBox {
public:
    TColorBox(QWidget* parent, const QString& name);

    TColor Selected() const;
    void setSelected(TColor color);
    TColor customColor() const;
    bool Enabled() const { return isEnabled(); }
    void setBounds(int left, int top, int w, int h) { setGeometry(left, top, w, h); }

    // Runs when the user picks a colour.
    std::function<void()> OnChange;

    static constexpr int kCustomIndex = 0;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void entryPicked(int index);
    void setCustomColor(TColor color);
    void refreshSwatches();

    int lastIndex_ = -1;
    bool stepping_ = false;  // a key or the wheel is moving through the closed list
};

}  // namespace pvstim
