#pragma once
#include "reports/salon_report.h"

// Every ticket's services, products, taxes and totals, with the sums to date.
class ProductsServicesReport : public SalonReport {
public:
    ProductsServicesReport();
};
