#include "reports/inventory_report.h"

using namespace qv;

DataReport3::DataReport3()
    : SalonReport(QStringLiteral("Inventory Report"))
{
    const int width = layout().reportWidth();

    BandWriter rh(band(ReportBand::ReportHeader), 400);
    rh.font = headingFont(16);
    rh.label(QStringLiteral("Report Of Inventory"), 0, width).alignment = Qt::AlignHCenter;
    rh.finish(120);

    BandWriter ph(band(ReportBand::PageHeader));
    ph.font = headingFont(12);
    ph.label(QStringLiteral("Report Of Inventory"), 0);
    ph.next();
    ph.font = ReportFont{};
    ph.label(QStringLiteral("Current Page #"), 0);
    ph.label(QStringLiteral("%p"), ph.right() + 60, 500);
    ph.label(QStringLiteral("Total Pages in Report"), 2400);
    ph.label(QStringLiteral("%P"), ph.right() + 60, 500);
    ph.label(QStringLiteral("Today's Date:"), 5200);
    ph.label(QStringLiteral("%D"), ph.right() + 60, 2800);
    ph.next();
    ph.rule(0, width);
    ph.finish();

    // Tight lines, so that two items share a page.
    BandWriter d(band(ReportBand::Detail), 240);
    const int fieldLeft = 2700;
    auto line = [&](const QString& caption, const QString& field, const QString& format = QString()) {
        ReportControl& f = d.captioned(caption, field, 0, fieldLeft, 0, format);
        f.width = width - f.left;
        d.next();
        return &f;
    };
    d.font = boldFont();
    line(QStringLiteral("Item:"), QStringLiteral("Item"));
    d.font = ReportFont{};
    line(QStringLiteral("Substitute:"), QStringLiteral("Substitute"));
    line(QStringLiteral("SuppliersStockNumber:"), QStringLiteral("SuppliersStockNumber"));
    line(QStringLiteral("Location:"), QStringLiteral("Location"));
    line(QStringLiteral("SystemStockNumber:"), QStringLiteral("SystemStockNumber"));
    line(QStringLiteral("Supplier:"), QStringLiteral("SourceorSupplier"));
    line(QStringLiteral("Comment:"), QStringLiteral("Comment"))->canGrow = true;
    line(QStringLiteral("Memo:"), QStringLiteral("Memo"))->canGrow = true;
    line(QStringLiteral("Selling Price ea@:"), QStringLiteral("Price"), kReportMoney);
    line(QStringLiteral("Cost Value Of Stock ea@:"), QStringLiteral("CostValueOfStock"), kReportMoney);
    line(QStringLiteral("Net Used/Sold - negative value represents wholesale item:"), QStringLiteral("NetProfitFromSales"),
         kReportMoney);
    line(QStringLiteral("Date added to inventory:"), QStringLiteral("Date"));
    line(QStringLiteral("Category:"), QStringLiteral("Category"));
    line(QStringLiteral("Starting Quantity:"), QStringLiteral("StartingQuantity"));
    line(QStringLiteral("Quantity Value Status:"), QStringLiteral("QuantityStatus"), kReportMoney);
    line(QStringLiteral("Sold:"), QStringLiteral("Sold"));
    line(QStringLiteral("Times Returned To Stock:"), QStringLiteral("ReturnToStockTotals"));
    line(QStringLiteral("Lost Or Damaged:"), QStringLiteral("LostDamagedTotals"));
    line(QStringLiteral("Currently In Stock:"), QStringLiteral("CurrentlyInStock"));
    d.field(QStringLiteral("UnitSize"), fieldLeft, width - fieldLeft);
    d.next();
    line(QStringLiteral("ReOrderLevel:"), QStringLiteral("ReOrderLevel"));
    line(QStringLiteral("Tax%:"), QStringLiteral("taxpercent1"));
    d.rule(0, width);
    d.finish();
}
