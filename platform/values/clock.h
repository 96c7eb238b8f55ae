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

} // namespace qv
