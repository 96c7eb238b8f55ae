#include "reports/employee_report.h"

using namespace qv;

DataReport7::DataReport7()
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
    auto line = [&](const QString& caption, const QString& field) {
        ReportControl& f = d.captioned(caption, field, 0, fieldLeft, 0);
        f.width = width - f.left;
        d.next();
        return &f;
    };
    line(QStringLiteral("EmployeeID:"), QStringLiteral("EmployeeID"));
    d.font = boldFont();
    line(QStringLiteral("LastName:"), QStringLiteral("LastName"));
    line(QStringLiteral("FirstName:"), QStringLiteral("FirstName"));
    d.font = ReportFont{};
    line(QStringLiteral("Title:"), QStringLiteral("Title"));
    line(QStringLiteral("BirthDate:"), QStringLiteral("BirthDate"));
    line(QStringLiteral("HireDate:"), QStringLiteral("HireDate"));
    line(QStringLiteral("Address:"), QStringLiteral("Address"));
    line(QStringLiteral("City:"), QStringLiteral("City"));
    line(QStringLiteral("Region:"), QStringLiteral("Region"));
    line(QStringLiteral("PostalCode:"), QStringLiteral("PostalCode"));
    line(QStringLiteral("HomePhone:"), QStringLiteral("HomePhone"));
    line(QStringLiteral("Extension:"), QStringLiteral("Extension"));
    line(QStringLiteral("ReportsTo:"), QStringLiteral("ReportsTo"));
    line(QStringLiteral("Notes:"), QStringLiteral("Notes"))->canGrow = true;
    d.rule(0, width);
    d.finish();
}
