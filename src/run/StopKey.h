#pragma once

#include <QObject>

#include <functional>

namespace pvstim {

// The key that ends a run: while active, Escape pressed in any window of the
// program runs the stop action once, and the key goes no further. While a modal
// window of the program is open, Escape is left to it.
//
// It watches the whole application's key events, not one window's, because the
// stimulation window takes no input (it is disabled) and during a run the focus
// may rest on any window of the program; a shortcut would need an enabled window
// that holds the focus. It is installed only while active, so it costs nothing
// outside a run. It knows nothing of what stopping a run means.
class StopKey : public QObject {
public:
    StopKey(QObject* parent, std::function<void()> onStop);
    ~StopKey() override;

    void setActive(bool on);
    bool isActive() const { return active_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> onStop_;
    bool active_ = false;
};

}  // namespace pvstim
