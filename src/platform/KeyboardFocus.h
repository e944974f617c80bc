#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

struct xcb_connection_t;

namespace pvstim {

// Keeps the keyboard with one window of the program (during a run the mini bar,
// so that Escape always reaches the program). When the program has lost the
// keyboard while no box of its own is open, and no other program's window has
// taken it (the window manager parked it on a window of its own, or on none, as
// it does when a box closes), the window is given it back. The keyboard is looked
// at four times a second while a window is kept: the program is not told of every
// such loss (the window it had is not one the manager knows).
//
// The window bypasses the window manager, which therefore never gives it the
// focus; it is taken from the X server directly, stamped with the server's
// current time, because the program's last event time is often older than the
// manager's own last focus change and the server drops such a request without a
// word. A property change on the window follows, whose event brings the
// program's own clock past that focus change: else the next box's activation,
// stamped with the old time, would be dropped in turn.
class KeyboardFocus : public QObject {
public:
    KeyboardFocus();

    // Null lets go.
    void keepOn(QWidget* window);

private:
    void check();
    static void give(xcb_connection_t* connection, QWidget& window);

    QPointer<QWidget> window_;
    QTimer checks_;
};

}  // namespace pvstim
