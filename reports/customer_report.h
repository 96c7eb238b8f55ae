#pragma once
#include "reports/salon_report.h"

// The client records.
class DataReport6A : public SalonReport {
public:
    DataReport6A();
};
