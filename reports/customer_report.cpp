#include "reports/customer_report.h"

using namespace qv;

DataReport6A::DataReport6A()
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
    auto line = [&](const QString& caption, const QString& field) {
        ReportControl& f = d.captioned(caption, field, 0, fieldLeft, 0);
        f.width = width - f.left;
        d.next();
        return &f;
    };
    d.font = boldFont();
    line(QStringLiteral("CustomerName:"), QStringLiteral("CustomerName"));
    d.font = ReportFont{};
    line(QStringLiteral("ContactName:"), QStringLiteral("ContactName"));
    line(QStringLiteral("ContactTitle:"), QStringLiteral("ContactTitle"));
    line(QStringLiteral("Address:"), QStringLiteral("Address"));
    line(QStringLiteral("City:"), QStringLiteral("City"));
    line(QStringLiteral("State:"), QStringLiteral("Region"));
    line(QStringLiteral("PostalCode:"), QStringLiteral("PostalCode"));
    line(QStringLiteral("Phone:"), QStringLiteral("Phone"));
    line(QStringLiteral("Email:"), QStringLiteral("Email"));
    line(QStringLiteral("CreditTerms:"), QStringLiteral("CreditTerms"));
    line(QStringLiteral("BirthDay:"), QStringLiteral("BirthDay"));
    line(QStringLiteral("Comments:"), QStringLiteral("Comments"))->canGrow = true;
    line(QStringLiteral("Employee:"), QStringLiteral("EmployeeID"));
    d.rule(0, width);
    d.finish();
}
