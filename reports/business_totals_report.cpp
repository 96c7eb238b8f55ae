#include "reports/business_totals_report.h"

using namespace qv;

BusinessTotalsReport::BusinessTotalsReport()
    : SalonReport(QStringLiteral("Business Totals"))
{
    // Everything stands in the report footer: the totals, no detail lines.
    BandWriter f(band(ReportBand::ReportFooter), 320);
    f.font = headingFont(14);
    f.label(QStringLiteral("Business Totals:"), 0);
    f.next(2);
    f.font = ReportFont{};
    f.captionedSum(QStringLiteral("Purchase Price:"), QStringLiteral("PurchasePrice"), 600, 3000, 2200, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Appraised Value:"), QStringLiteral("AppraisedValue"), 600, 3000, 2200, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Replacement Cost:"), QStringLiteral("ReplacementCost"), 600, 3000, 2200, kReportMoney);
    f.finish();
}
