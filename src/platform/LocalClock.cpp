#include "platform/LocalClock.h"

#include <QDateTime>

namespace pvstim {

QTime LocalClock::timeOfDay()
{
    // Local time consults the time zone (a look at its file); the wall clock does
    // not. The 20 ms polls ask for the time, so the zone is consulted once a second.
    const qint64 utcMs = QDateTime::currentMSecsSinceEpoch();
    const qint64 second = utcMs / 1000;
    if (second != localSecondUtc_) {
        localSecondUtc_ = second;
        localSecondStart_ = QDateTime::fromMSecsSinceEpoch(second * 1000).time();
    }
    return localSecondStart_.addMSecs(int(utcMs - second * 1000));
}

}  // namespace pvstim
