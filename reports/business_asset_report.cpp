#include "reports/business_asset_report.h"

using namespace qv;

BusinessReport::BusinessReport()
    : SalonReport(QStringLiteral("Business Asset Report"))
{
    const int width = layout().reportWidth();

    BandWriter rh(band(ReportBand::ReportHeader));
    rh.label(QStringLiteral("%P"), 0, 500);
    rh.label(QStringLiteral("Total pages"), rh.right() + 60);
    rh.label(QStringLiteral("%D"), 3000, 3000);
    rh.label(QStringLiteral("%T"), 6600, 1800);
    rh.next();
    rh.y += 60;
    rh.lineHeight = 420;
    rh.font = headingFont(16);
    rh.label(QStringLiteral("Business Report"), 0, width).alignment = Qt::AlignHCenter;
    rh.next();
    rh.lineHeight = 270;
    rh.font = boldFont();
    rh.label(QStringLiteral("Go to last page to get all totals:->"), 0);
    rh.next();
    rh.rule(0, width);
    rh.finish();

    // Tight lines, so that two items share a page.
    BandWriter d(band(ReportBand::Detail), 240);
    const int fieldLeft = 2200;
    auto line = [&](const QString& caption, const QString& field, const QString& format = QString()) {
        ReportControl& f = d.captioned(caption, field, 0, fieldLeft, 0, format);
        f.width = width - f.left;
        d.next();
        return &f;
    };
    line(QStringLiteral("Address:"), QStringLiteral("Address"));
    line(QStringLiteral("City:"), QStringLiteral("City"));
    line(QStringLiteral("State :"), QStringLiteral("State"));
    line(QStringLiteral("Zip:"), QStringLiteral("Zip"));
    line(QStringLiteral("Category:"), QStringLiteral("Category"));
    line(QStringLiteral("Location:"), QStringLiteral("Location"));
    d.font = boldFont();
    line(QStringLiteral("Item ID:"), QStringLiteral("ItemName"));
    d.font = ReportFont{};
    line(QStringLiteral("ItemDescription:"), QStringLiteral("ItemDescription"))->canGrow = true;
    line(QStringLiteral("Manufacturer:"), QStringLiteral("Manufacturer"));
    line(QStringLiteral("Model:"), QStringLiteral("Model"));
    line(QStringLiteral("SerialVin:"), QStringLiteral("SerialVin"));
    line(QStringLiteral("PurchaseDate:"), QStringLiteral("PurchaseDate"));
    line(QStringLiteral("PurchasePrice:      $"), QStringLiteral("PurchasePrice"), kReportMoney);
    line(QStringLiteral("PurchasedFrom:"), QStringLiteral("PurchasedFrom"));
    line(QStringLiteral("MethodofPayment:"), QStringLiteral("MethodofPayment"));
    line(QStringLiteral("ReplacementCost: $"), QStringLiteral("ReplacementCost"), kReportMoney);
    line(QStringLiteral("AppraisedValue:    $"), QStringLiteral("AppraisedValue"), kReportMoney);
    line(QStringLiteral("AppraisedBy:"), QStringLiteral("AppriasedBy"));
    line(QStringLiteral("AppraiselDate:"), QStringLiteral("AppraisalDate"));
    line(QStringLiteral("ImageKey:"), QStringLiteral("ImageKey"));
    line(QStringLiteral("On_OffSite:"), QStringLiteral("On_OffSite"));
    line(QStringLiteral("Business_Name:"), QStringLiteral("Business_Name"));
    d.font = boldFont();
    d.label(QStringLiteral("End Report"), 0);
    d.next();
    d.rule(0, width);
    d.finish();

    BandWriter pf(band(ReportBand::PageFooter));
    pf.label(QStringLiteral("%p"), width - 1400, 500).alignment = Qt::AlignRight;
    pf.label(QStringLiteral("Page#"), width - 850);
    pf.finish();

    BandWriter f(band(ReportBand::ReportFooter), 300);
    f.y = 120;
    f.font = headingFont(12);
    f.label(QStringLiteral("Business Report Totals:"), 0);
    f.next();
    f.font = ReportFont{};
    f.captionedSum(QStringLiteral("Purchase Price Totals:"), QStringLiteral("PurchasePrice"), 600, 3400, 2200, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Appraised Value Totals:"), QStringLiteral("AppraisedValue"), 600, 3400, 2200, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Replacement Cost Totals:"), QStringLiteral("ReplacementCost"), 600, 3400, 2200,
                   kReportMoney);
    f.finish();
}
