#pragma once
#include "reports/salon_report.h"

// One month of the salon schedule per page, as a framed six-by-seven grid.
class SalonScheduleReport : public SalonReport {
public:
    SalonScheduleReport();
};
