#pragma once
#include "reports/salon_report.h"

// The commissions paid to each employee, with the salon's total paid to date.
class CommissionsReport : public SalonReport {
public:
    CommissionsReport();
};
