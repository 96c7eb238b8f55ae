#include "reports/customer_report.h"

using namespace qv;

CustomerReport::CustomerReport()
    : SalonReport(QStringLiteral("Customer Database report"))
{
    const int width = layout().reportWidth();

    BandWriter rh(band(ReportBand::ReportHeader), 420);
    rh.font = headingFont(16);
    rh.label(QStringLiteral("Customer Database Report"), 0, width).alignment = Qt::AlignHCenter;
    rh.next();
    rh.lineHeight = 270;
    rh.font = ReportFont{};
    rh.label(QStringLiteral("Page"), 0);
    rh.label(QStringLiteral("%p"), rh.right() + 60, 500);
    rh.label(QStringLiteral("%d"), width - 1800, 1800).alignment = Qt::AlignRight;
    rh.next();
    rh.rule(0, width);
    rh.finish();

    BandWriter d(band(ReportBand::Detail));
    const int fieldLeft = 1700;
    d.font = boldFont();
    d.fieldLine(QStringLiteral("CustomerName:"), QStringLiteral("CustomerName"), fieldLeft, width);
    d.font = ReportFont{};
    d.fieldLine(QStringLiteral("ContactName:"), QStringLiteral("ContactName"), fieldLeft, width);
    d.fieldLine(QStringLiteral("ContactTitle:"), QStringLiteral("ContactTitle"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Address:"), QStringLiteral("Address"), fieldLeft, width);
    d.fieldLine(QStringLiteral("City:"), QStringLiteral("City"), fieldLeft, width);
    d.fieldLine(QStringLiteral("State:"), QStringLiteral("Region"), fieldLeft, width);
    d.fieldLine(QStringLiteral("PostalCode:"), QStringLiteral("PostalCode"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Phone:"), QStringLiteral("Phone"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Email:"), QStringLiteral("Email"), fieldLeft, width);
    d.fieldLine(QStringLiteral("CreditTerms:"), QStringLiteral("CreditTerms"), fieldLeft, width);
    d.fieldLine(QStringLiteral("BirthDay:"), QStringLiteral("BirthDay"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Comments:"), QStringLiteral("Comments"), fieldLeft, width).canGrow = true;
    d.fieldLine(QStringLiteral("Employee:"), QStringLiteral("EmployeeID"), fieldLeft, width);
    d.rule(0, width);
    d.finish();
}
