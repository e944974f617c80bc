#pragma once

#include <functional>

class QThreadPool;

namespace pvstim {

// Two worker threads for work that must not hold up the interface thread, at nice
// 10 on Linux. Each job's completion is posted to the event loop of the thread
// that made this object. Knows nothing of what the jobs do.
class BackgroundWorkers {
public:
    BackgroundWorkers();
    // Drops the jobs not yet started and does not wait for the running ones: a job
    // blocked in a read (a named pipe, a network file that stopped answering) must
    // not keep the program from ending. No completion runs after this.
    ~BackgroundWorkers();
    BackgroundWorkers(const BackgroundWorkers&) = delete;
    BackgroundWorkers& operator=(const BackgroundWorkers&) = delete;

    // `work` may outlive this object, so it reaches nothing but what it holds itself.
    void run(std::function<void()> work, std::function<void()> done);

private:
    class Completions;
    // Owned, but left behind when a job still runs at destruction (see there).
    Completions* completions_;
    QThreadPool* workers_;
};

}  // namespace pvstim
