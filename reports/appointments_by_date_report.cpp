#include "reports/appointments_by_date_report.h"

using namespace qv;

AppointmentsByDateReport::AppointmentsByDateReport()
    : SalonReport(QStringLiteral("Appointments By date"))
{
    const int width = layout().reportWidth();
    // Activation has nothing to do.
    onActivate = [] {};

    BandWriter ph(band(ReportBand::PageHeader), 420);
    ph.font = headingFont(16);
    ph.label(QStringLiteral("Appointments By Date"), 0, width).alignment = Qt::AlignHCenter;
    ph.next();
    ph.lineHeight = 270;
    ph.rule(0, width);
    ph.finish();

    BandWriter d(band(ReportBand::Detail));
    d.font = boldFont();
    d.captioned(QStringLiteral("TK#"), QStringLiteral("CustomerID"), 0, 0, 1100);
    d.font = ReportFont{};
    d.captioned(QStringLiteral("DateAppointment:"), QStringLiteral("DateAppointment"), 1700, 0, 1200, kReportDate);
    d.captioned(QStringLiteral("TimeAppointment:"), QStringLiteral("TimeAppointment"), 4700, 0, 1400);
    d.next();
    d.captioned(QStringLiteral("Customer:"), QStringLiteral("CustomerName"), 0, 0, 2600);
    d.captioned(QStringLiteral("Customer Phone:"), QStringLiteral("CustomerPhone"), 3700, 0, 1600);
    d.captioned(QStringLiteral("Employee:"), QStringLiteral("SalonArtist"), 6800, 0, 1600);
    d.next();
    d.label(QStringLiteral("Services}"), 0);
    d.field(QStringLiteral("Service"), 1000, 1900);
    d.field(QStringLiteral("Service1"), 3000, 1900);
    d.field(QStringLiteral("Service2"), 5000, 1900);
    d.field(QStringLiteral("Service3"), 7000, 1900);
    d.next();
    d.captioned(QStringLiteral("Totals:"), QStringLiteral("Totals"), 0, 1000, 1400, kReportMoney);
    d.next();
    d.rule(0, width);
    d.finish();
}
