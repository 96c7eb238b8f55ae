#include "common/date_range.h"

#include "platform/values/convert.h"

std::optional<DateRange> readDateRange(const QString& fromText, const QString& toText)
{
    const std::optional<QDateTime> from = qv::readDateTime(fromText);
    const std::optional<QDateTime> to = qv::readDateTime(toText);
    if (!from || !to)
        return std::nullopt;
    return DateRange{*from, *to};
}
