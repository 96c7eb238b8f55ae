#include "reports/employee_report.h"

using namespace qv;

EmployeeReport::EmployeeReport()
    : SalonReport(QStringLiteral("Employee Report"))
{
    const int width = layout().reportWidth();

    BandWriter rh(band(ReportBand::ReportHeader), 420);
    rh.font = headingFont(16);
    rh.label(QStringLiteral("Employee Database Report"), 0, width).alignment = Qt::AlignHCenter;
    rh.next();
    rh.finish();

    BandWriter ph(band(ReportBand::PageHeader));
    ph.label(QStringLiteral("%p"), 0, 800);
    ph.label(QStringLiteral("%d"), width - 1800, 1800).alignment = Qt::AlignRight;
    ph.next();
    ph.rule(0, width);
    ph.finish();

    BandWriter d(band(ReportBand::Detail));
    const int fieldLeft = 1600;
    d.fieldLine(QStringLiteral("EmployeeID:"), QStringLiteral("EmployeeID"), fieldLeft, width);
    d.font = boldFont();
    d.fieldLine(QStringLiteral("LastName:"), QStringLiteral("LastName"), fieldLeft, width);
    d.fieldLine(QStringLiteral("FirstName:"), QStringLiteral("FirstName"), fieldLeft, width);
    d.font = ReportFont{};
    d.fieldLine(QStringLiteral("Title:"), QStringLiteral("Title"), fieldLeft, width);
    d.fieldLine(QStringLiteral("BirthDate:"), QStringLiteral("BirthDate"), fieldLeft, width);
    d.fieldLine(QStringLiteral("HireDate:"), QStringLiteral("HireDate"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Address:"), QStringLiteral("Address"), fieldLeft, width);
    d.fieldLine(QStringLiteral("City:"), QStringLiteral("City"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Region:"), QStringLiteral("Region"), fieldLeft, width);
    d.fieldLine(QStringLiteral("PostalCode:"), QStringLiteral("PostalCode"), fieldLeft, width);
    d.fieldLine(QStringLiteral("HomePhone:"), QStringLiteral("HomePhone"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Extension:"), QStringLiteral("Extension"), fieldLeft, width);
    d.fieldLine(QStringLiteral("ReportsTo:"), QStringLiteral("ReportsTo"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Notes:"), QStringLiteral("Notes"), fieldLeft, width).canGrow = true;
    d.rule(0, width);
    d.finish();
}
