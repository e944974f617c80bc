#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace pvstim {

// The photosensitivity warning shown before a user's first run. "Продолжить" is
// enabled only once "Я прочитал(а) предупреждение" is ticked. From the keyboard: the
// focus starts on the check box, Space ticks it, Enter continues, Escape cancels.
// It does not remember the answer; Start does that.
class RunWarningDialog : public QDialog {
public:
    explicit RunWarningDialog(QWidget* parent);

    QCheckBox* readIt;
    QPushButton* continueButton;
    QPushButton* cancelButton;
};

}  // namespace pvstim
