#pragma once
#include "reports/salon_report.h"

// The employee records.
class DataReport7 : public SalonReport {
public:
    DataReport7();
};
