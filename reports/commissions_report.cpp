#include "reports/commissions_report.h"

using namespace qv;

CommissionsReport::CommissionsReport()
    : SalonReport(QStringLiteral("Employee Commissions Report"))
{
    const int width = layout().reportWidth();

    BandWriter rh(band(ReportBand::ReportHeader), 420);
    rh.font = headingFont(16);
    rh.label(QStringLiteral("Employee Commissions"), 0, width).alignment = Qt::AlignHCenter;
    rh.next();
    rh.lineHeight = 270;
    rh.font = ReportFont{};
    rh.label(QStringLiteral("%d"), width - 1800, 1800).alignment = Qt::AlignRight;
    rh.next();
    rh.rule(0, width);
    rh.finish();

    BandWriter d(band(ReportBand::Detail));
    const int fieldLeft = 3400;
    auto line = [&](const QString& caption, const QString& field, const QString& format = QString()) {
        ReportControl& f = d.captioned(caption, field, 0, fieldLeft, 2400, format);
        d.next();
        return &f;
    };
    line(QStringLiteral("Service Commissions:"), QStringLiteral("CommissionsPaid"), kReportMoney);
    line(QStringLiteral("Date:"), QStringLiteral("DatePaid"));
    d.font = boldFont();
    line(QStringLiteral("LastName:"), QStringLiteral("LastName"));
    line(QStringLiteral("FirstName:"), QStringLiteral("FirstName"));
    d.font = ReportFont{};
    line(QStringLiteral("Products Commissions "), QStringLiteral("CommissionsPaidProducts"), kReportMoney);
    line(QStringLiteral("Commissions Totals this  Pay Period"), QStringLiteral("TotalsPaid"), kReportMoney);
    d.rule(0, width);
    d.finish();

    BandWriter f(band(ReportBand::ReportFooter), 300);
    f.y = 120;
    f.font = boldFont();
    f.captionedSum(QStringLiteral("Total Paid -Gross for Salon to Date:"), QStringLiteral("TotalsPaid"), 0, fieldLeft, 2400,
                   kReportMoney);
    f.finish();
}
