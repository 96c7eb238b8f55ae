#pragma once
// "Today" and "now" come from here, so that tests can fix them.
#include <QDateTime>
#include <functional>

namespace qv {

class Clock {
public:
    static QDateTime now();
    static QDate today();
    // Replaces the source of "now"; an empty function returns to the system clock.
    static void setSource(std::function<QDateTime()> source);
};

// Holds the clock at a fixed moment (or on a given source) while it lives,
// then returns it to the system clock.
class ScopedClock {
public:
    explicit ScopedClock(const QDateTime& fixed);
    explicit ScopedClock(std::function<QDateTime()> source);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;
};

} // namespace qv
