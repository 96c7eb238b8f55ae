#pragma once
// A range of dates typed into two boxes, read as dates so that it can be
// passed to a query as two values. What was typed never becomes part of a
// query.
#include <QDateTime>
#include <QString>
#include <optional>

struct DateRange {
    QDateTime from, to;
};

// Both ends of the range, read from the typed texts; nothing when either text
// is not a date.
std::optional<DateRange> readDateRange(const QString& fromText, const QString& toText);

// What the windows say when either end cannot be read as a date.
inline const QString kUnreadableDateRange =
    QStringLiteral("Please enter two dates that can be read, like this Example:6/7/01");
