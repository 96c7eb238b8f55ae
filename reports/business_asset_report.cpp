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
    d.fieldLine(QStringLiteral("Address:"), QStringLiteral("Address"), fieldLeft, width);
    d.fieldLine(QStringLiteral("City:"), QStringLiteral("City"), fieldLeft, width);
    d.fieldLine(QStringLiteral("State :"), QStringLiteral("State"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Zip:"), QStringLiteral("Zip"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Category:"), QStringLiteral("Category"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Location:"), QStringLiteral("Location"), fieldLeft, width);
    d.font = boldFont();
    d.fieldLine(QStringLiteral("Item ID:"), QStringLiteral("ItemName"), fieldLeft, width);
    d.font = ReportFont{};
    d.fieldLine(QStringLiteral("ItemDescription:"), QStringLiteral("ItemDescription"), fieldLeft, width).canGrow = true;
    d.fieldLine(QStringLiteral("Manufacturer:"), QStringLiteral("Manufacturer"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Model:"), QStringLiteral("Model"), fieldLeft, width);
    d.fieldLine(QStringLiteral("SerialVin:"), QStringLiteral("SerialVin"), fieldLeft, width);
    d.fieldLine(QStringLiteral("PurchaseDate:"), QStringLiteral("PurchaseDate"), fieldLeft, width);
    d.fieldLine(QStringLiteral("PurchasePrice:      $"), QStringLiteral("PurchasePrice"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("PurchasedFrom:"), QStringLiteral("PurchasedFrom"), fieldLeft, width);
    d.fieldLine(QStringLiteral("MethodofPayment:"), QStringLiteral("MethodofPayment"), fieldLeft, width);
    d.fieldLine(QStringLiteral("ReplacementCost: $"), QStringLiteral("ReplacementCost"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("AppraisedValue:    $"), QStringLiteral("AppraisedValue"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("AppraisedBy:"), QStringLiteral("AppriasedBy"), fieldLeft, width);
    d.fieldLine(QStringLiteral("AppraiselDate:"), QStringLiteral("AppraisalDate"), fieldLeft, width);
    d.fieldLine(QStringLiteral("ImageKey:"), QStringLiteral("ImageKey"), fieldLeft, width);
    d.fieldLine(QStringLiteral("On_OffSite:"), QStringLiteral("On_OffSite"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Business_Name:"), QStringLiteral("Business_Name"), fieldLeft, width);
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
