#pragma once
#include "reports/salon_report.h"

// The memo of every ticket, one line each, without captions.
class DataReport8 : public SalonReport {
public:
    DataReport8();
};
