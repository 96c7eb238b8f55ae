#pragma once
#include "reports/salon_report.h"

// The employee records.
class EmployeeReport : public SalonReport {
public:
    EmployeeReport();
};
