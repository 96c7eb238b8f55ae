#pragma once
// The date-range search of the appointment book: the two typed dates read as
// dates, and the query that takes them as bound values.
#include <QDateTime>
#include <QString>
#include <optional>

struct DateRange {
    QDateTime from, to;
};

// Both ends of the range, read from the typed texts; nothing when either text
// is not a date. What was typed never becomes part of a query.
std::optional<DateRange> readDateRange(const QString& fromText, const QString& toText);

// Every ticket whose appointment date lies between the range's two ends, both
// included; the two "?" take DateRange::from and DateRange::to.
extern const QString kDateRangeQuery;
