#pragma once
#include "reports/salon_report.h"

// Every asset of the business in full, with the money totals at the end.
class BusinessReport : public SalonReport {
public:
    BusinessReport();
};
