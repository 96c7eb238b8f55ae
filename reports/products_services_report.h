#pragma once
#include "reports/salon_report.h"

// Every ticket's services, products, taxes and totals, with the sums to date.
class DataReport2 : public SalonReport {
public:
    DataReport2();
};
