#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

// A timer ticking on this thread, as the countdown's display does: the longest time between two of
// its ticks since it was made (or since the last one, if that is longer) is how long the thread's
// window stood still.
class StallWatch {
public:
    explicit StallWatch(int tickMs)
    {
        tick_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick_, &QTimer::timeout,
                         [this] { longest_ = std::max(longest_, sinceLast_.restart()); });
        sinceLast_.start();
        tick_.start(tickMs);
    }
    qint64 longestMs() const { return std::max(longest_, sinceLast_.elapsed()); }

private:
    QTimer tick_;
    QElapsedTimer sinceLast_;
    qint64 longest_ = 0;
};
