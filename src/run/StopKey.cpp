#include "run/StopKey.h"

#include "framework/Handler.h"

#include <QApplication>
#include <QKeyEvent>

namespace pvstim {

StopKey::StopKey(QObject* parent, std::function<void()> onStop)
    : QObject(parent)
    , onStop_(std::move(onStop))
{
}

StopKey::~StopKey() { setActive(false); }

void StopKey::setActive(bool on)
{
    if (on == active_)
        return;
    active_ = on;
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (on)
            app->installEventFilter(this);
        else
            app->removeEventFilter(this);
    }
}

bool StopKey::eventFilter(QObject* watched, QEvent* event)
{
    // A modal box or dialog (an error box during the run, for one) takes its own
    // Escape: it closes the box, and the run goes on.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape
        && !QApplication::activeModalWidget()) {
        // Let go first: a key repeated or sent on to a parent while the stop runs
        // must not stop twice.
        setActive(false);
        runHandler(onStop_);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pvstim
