#pragma once

#include "framework/Font.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace pvstim {

// The window of the font dialog: font name, style and size lists, an effects
// section (strike-out, underline, colour), a sample, and OK, Cancel and Apply.
// The character set and anything the dialog does not show are kept from the font
// it was opened with.
class TFontChooserDialog : public QDialog {
public:
    TFontChooserDialog(const TFont& font, QWidget* parent);

    TFont currentFont() const;
    void setCurrentFont(const TFont& font);
    // As a click on Apply does: runs onApply with the dialog still open.
    void pressApply();

    std::function<void()> onApply;

    // The sizes the size list offers; any other whole size can be typed.
    static constexpr int kMinSize = 1;
    static constexpr int kMaxSize = 1638;

private:
    void selectFamily(const QString& name);
    void selectColor(TColor color);
    void updateSample();

    TFont base_;
    QListWidget* families_;
    QListWidget* styles_;
    QComboBox* sizes_;
    QCheckBox* strikeOut_;
    QCheckBox* underline_;
    QComboBox* colors_;
    QLabel* sample_;
    QPushButton* apply_;
};

// The font dialog with an Apply button and an effects section (colour,
// underline, strike-out). Execute() runs it modally through the platform.
//  - Apply: Font becomes the dialog's current choice and OnApply runs; the dialog
//    stays open.
//  - Closing: an accepted dialog makes its choice the Font; a cancelled one leaves
//    Font as it was when the dialog opened or as last applied. OnClose runs on
//    every close.
class TFontDialog {
public:
    explicit TFontDialog(QWidget* owner) : owner_(owner) { }

    TFont Font;
    // Runs the dialog; returns whether the user accepted it.
    bool Execute();

    std::function<void()> OnApply;   // Apply pressed: Font holds the dialog's current choice
    std::function<void()> OnClose;   // every close, accepted or not

private:
    QWidget* owner_;
};

}  // namespace pvstim
