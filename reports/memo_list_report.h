#pragma once
#include "reports/salon_report.h"

// The memo of every ticket, one line each, without captions.
class MemoListReport : public SalonReport {
public:
    MemoListReport();
};
