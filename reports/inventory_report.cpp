#include "reports/inventory_report.h"

using namespace qv;

InventoryReport::InventoryReport()
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
    d.font = boldFont();
    d.fieldLine(QStringLiteral("Item:"), QStringLiteral("Item"), fieldLeft, width);
    d.font = ReportFont{};
    d.fieldLine(QStringLiteral("Substitute:"), QStringLiteral("Substitute"), fieldLeft, width);
    d.fieldLine(QStringLiteral("SuppliersStockNumber:"), QStringLiteral("SuppliersStockNumber"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Location:"), QStringLiteral("Location"), fieldLeft, width);
    d.fieldLine(QStringLiteral("SystemStockNumber:"), QStringLiteral("SystemStockNumber"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Supplier:"), QStringLiteral("SourceorSupplier"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Comment:"), QStringLiteral("Comment"), fieldLeft, width).canGrow = true;
    d.fieldLine(QStringLiteral("Memo:"), QStringLiteral("Memo"), fieldLeft, width).canGrow = true;
    d.fieldLine(QStringLiteral("Selling Price ea@:"), QStringLiteral("Price"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("Cost Value Of Stock ea@:"), QStringLiteral("CostValueOfStock"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("Net Used/Sold - negative value represents wholesale item:"),
                QStringLiteral("NetProfitFromSales"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("Date added to inventory:"), QStringLiteral("Date"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Category:"), QStringLiteral("Category"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Starting Quantity:"), QStringLiteral("StartingQuantity"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Quantity Value Status:"), QStringLiteral("QuantityStatus"), fieldLeft, width, kReportMoney);
    d.fieldLine(QStringLiteral("Sold:"), QStringLiteral("Sold"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Times Returned To Stock:"), QStringLiteral("ReturnToStockTotals"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Lost Or Damaged:"), QStringLiteral("LostDamagedTotals"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Currently In Stock:"), QStringLiteral("CurrentlyInStock"), fieldLeft, width);
    d.field(QStringLiteral("UnitSize"), fieldLeft, width - fieldLeft);
    d.next();
    d.fieldLine(QStringLiteral("ReOrderLevel:"), QStringLiteral("ReOrderLevel"), fieldLeft, width);
    d.fieldLine(QStringLiteral("Tax%:"), QStringLiteral("taxpercent1"), fieldLeft, width);
    d.rule(0, width);
    d.finish();
}
