#pragma once

#include <QTime>
#include <QtGlobal>

namespace pvstim {

// The local time of day, for callers that ask for it many times a second: the time
// zone is consulted once a wall-clock second, not at every read.
class LocalClock {
public:
    QTime timeOfDay();

private:
    qint64 localSecondUtc_ = -1;  // the wall-clock second localSecondStart_ is for
    QTime localSecondStart_;
};

}  // namespace pvstim
