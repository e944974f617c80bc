#pragma once

#include <QObject>
#include <QThreadPool>

#include <functional>

namespace pvstim {

// Two worker threads for work that must not hold up the interface thread, at nice
// 10 on Linux. Each job's completion is posted to the event loop of the thread
// that made this object. Knows nothing of what the jobs do.
class BackgroundWorkers {
public:
    BackgroundWorkers();
    // Drops the jobs not yet started and waits for the running ones; their
    // completions are not run.
    ~BackgroundWorkers();
    BackgroundWorkers(const BackgroundWorkers&) = delete;
    BackgroundWorkers& operator=(const BackgroundWorkers&) = delete;

    void run(std::function<void()> work, std::function<void()> done);

private:
    // Completions are posted to this object; declared before the pool, so the pool
    // (which waits for running jobs) goes first and no completion outlives it.
    QObject completions_;
    QThreadPool workers_;
};

}  // namespace pvstim
