#pragma once
#include "reports/salon_report.h"

// The client records.
class CustomerReport : public SalonReport {
public:
    CustomerReport();
};
