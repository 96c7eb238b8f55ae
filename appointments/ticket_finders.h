#pragma once
// The date-range search of the appointment book: the two typed dates read as
// dates, and the query that takes them as bound values.
#include "common/date_range.h"

#include <QString>

// Every ticket whose appointment date lies between the range's two ends, both
// included; the two "?" take DateRange::from and DateRange::to.
extern const QString kDateRangeQuery;
