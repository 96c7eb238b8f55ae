#pragma once
#include "reports/salon_report.h"

// The money totals of the business's assets, and nothing else.
class BusinessTotalsReport : public SalonReport {
public:
    BusinessTotalsReport();
};
