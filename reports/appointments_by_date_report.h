#pragma once
#include "reports/salon_report.h"

// One day's appointments.
class DataReport9 : public SalonReport {
public:
    DataReport9();
};
