#pragma once
#include "reports/salon_report.h"

// Every stock item with its figures, in the order the query gives.
class InventoryReport : public SalonReport {
public:
    InventoryReport();
};
