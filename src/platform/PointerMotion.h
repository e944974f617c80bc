#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;
struct _XDisplay;

namespace pvstim {

// Tells whether the pointer may have moved since its position was last read, so
// that the 20 ms polls ask the X server where the pointer is (a round trip) only
// when it may have: after a raw motion event of the server's (any motion a device
// makes, received on a connection of its own so that its choice of events leaves
// Qt's alone), after a pointer event in one of the program's windows, after the
// program moved the pointer itself, and at least every kRecheckNs, for a pointer
// another program warped elsewhere (a warp makes no raw motion). Where no raw
// events can be had (another platform than X11, no XInput 2.2) every read is needed.
// Each of these motions but the recheck is also told to onMotion, as it happens.
class PointerMotion : public QObject {
public:
    static constexpr std::int64_t kRecheckNs = 100'000'000;

    PointerMotion();
    ~PointerMotion() override;

    // Asks the server for raw motion events; once, when first needed (the
    // application and its connection exist by then).
    void watchOnce();
    bool mayHaveMoved(std::int64_t nowNs) const { return !notifier_ || moved_ || nowNs - readNs_ >= kRecheckNs; }
    // Called just before the position is read: a motion during the read counts
    // towards the next one.
    void positionRead(std::int64_t nowNs)
    {
        moved_ = false;
        readNs_ = nowNs;
    }
    // The program moved the pointer itself.
    void moved() { noteMotion(); }
    // Whether raw motion events come (after watchOnce).
    bool rawMotion() const { return notifier_ != nullptr; }
    // When the position was last read.
    std::int64_t readNs() const { return readNs_; }
    // With raw motion: asks the server on this connection where the pointer is
    // (the reply wakes none of Qt's threads) and tells whether it is elsewhere
    // than at the last check, as after a warp; if so the next read is needed.
    bool movedSinceCheck();

    // Called at each motion, from within event delivery: it should post, not act.
    std::function<void()> onMotion;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void readEvents();
    void noteMotion()
    {
        moved_ = true;
        if (onMotion)
            onMotion();
    }

    bool tried_ = false;
    bool moved_ = true;
    std::int64_t readNs_ = 0;
    bool checked_ = false;
    int checkedX_ = 0;
    int checkedY_ = 0;
    int opcode_ = -1;
    _XDisplay* display_ = nullptr;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace pvstim
