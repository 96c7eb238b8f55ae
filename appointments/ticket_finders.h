#pragma once
// The date-range search of the appointment book: the query text built from
// the two typed dates.
#include <QString>
#include <optional>

// The query for every ticket whose appointment date lies between the two
// typed dates, both ends included; nothing when either text is not a date.
// The date literals are written from the dates read, never from the typed
// text itself, so nothing typed reaches the query as SQL.
std::optional<QString> dateRangeQuery(const QString& fromText, const QString& toText);
