#pragma once
#include "reports/salon_report.h"

// One day's appointments.
class AppointmentsByDateReport : public SalonReport {
public:
    AppointmentsByDateReport();
};
