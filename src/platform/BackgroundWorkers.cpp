#include "platform/BackgroundWorkers.h"

#include <QObject>
#include <QThreadPool>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace pvstim {

namespace {

constexpr int kWorkerNice = 10;

}  // namespace

// Where the completions are posted. Once closed (on the thread that owns it) it
// drops every completion that reaches it.
class BackgroundWorkers::Completions : public QObject {
public:
    bool open = true;
};

BackgroundWorkers::BackgroundWorkers()
    : completions_(new Completions)
    , workers_(new QThreadPool)
{
    // Two workers: one picture that takes long to decode leaves the other free.
    workers_->setMaxThreadCount(2);
}

BackgroundWorkers::~BackgroundWorkers()
{
    completions_->open = false;
    workers_->clear();
    if (workers_->waitForDone(0)) {
        delete workers_;
        delete completions_;
        return;
    }
    // A job still runs and may never return; the pool's destructor would wait for
    // it, and the program would not end. So the pool and the target of its
    // completions are deliberately left to the end of the process: a job that ends
    // later still posts to a live object, which drops its completion.
}

void BackgroundWorkers::run(std::function<void()> work, std::function<void()> done)
{
    Completions* target = completions_;
    workers_->start([work = std::move(work), done = std::move(done), target]() mutable {
#ifdef Q_OS_LINUX
        // A worker yields to the interface thread: on Linux the nice value belongs
        // to the thread, and Qt's thread priorities do not change it.
        thread_local const bool niced = setpriority(PRIO_PROCESS, 0, kWorkerNice) == 0;
        (void)niced;
#endif
        work();
        QMetaObject::invokeMethod(
            target,
            [target, done = std::move(done)] {
                if (target->open)
                    done();
            },
            Qt::QueuedConnection);
    });
}

}  // namespace pvstim
