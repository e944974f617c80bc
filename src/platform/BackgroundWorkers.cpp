#include "platform/BackgroundWorkers.h"

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace pvstim {

namespace {

constexpr int kWorkerNice = 10;

}  // namespace

BackgroundWorkers::BackgroundWorkers()
{
    // Two workers: one picture that takes long to decode leaves the other free.
    workers_.setMaxThreadCount(2);
}

BackgroundWorkers::~BackgroundWorkers()
{
    // Jobs not yet started are dropped; the pool then waits only for running ones.
    workers_.clear();
}

void BackgroundWorkers::run(std::function<void()> work, std::function<void()> done)
{
    workers_.start([work = std::move(work), done = std::move(done), target = &completions_]() mutable {
#ifdef Q_OS_LINUX
        // A worker yields to the interface thread: on Linux the nice value belongs
        // to the thread, and Qt's thread priorities do not change it.
        thread_local const bool niced = setpriority(PRIO_PROCESS, 0, kWorkerNice) == 0;
        (void)niced;
#endif
        work();
        QMetaObject::invokeMethod(target, std::move(done), Qt::QueuedConnection);
    });
}

}  // namespace pvstim
