#pragma once

#include <QString>

class QWidget;

namespace pvstim {

// The error box: a modal critical message box above every window of the program,
// with the focus, centred on the main window while that is on screen (else placed
// by Qt over the active window). The text is shown as typed, never as markup; it
// also goes to standard error.
class ErrorBox {
public:
    // Returns once the user has closed the box. `mainWindow` may be null.
    static void show(const QString& text, QWidget* mainWindow);
};

}  // namespace pvstim
