#include "platform/values/clock.h"

namespace qv {

namespace {
std::function<QDateTime()>& source()
{
    static std::function<QDateTime()> s;
    return s;
}
} // namespace

QDateTime Clock::now()
{
    return source() ? source()() : QDateTime::currentDateTime();
}

QDate Clock::today()
{
    return now().date();
}

void Clock::setSource(std::function<QDateTime()> s)
{
    source() = std::move(s);
}

ScopedClock::ScopedClock(const QDateTime& fixed)
{
    Clock::setSource([fixed] { return fixed; });
}

ScopedClock::ScopedClock(std::function<QDateTime()> s)
{
    Clock::setSource(std::move(s));
}

ScopedClock::~ScopedClock()
{
    Clock::setSource({});
}

} // namespace qv
