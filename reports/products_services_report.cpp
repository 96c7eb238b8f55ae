#include "reports/products_services_report.h"

using namespace qv;

ProductsServicesReport::ProductsServicesReport()
    : SalonReport(QStringLiteral("Products and Services Report"))
{
    const int width = layout().reportWidth();
    // Room for six digits: a busy salon's years run to tens of thousands of pages.
    const int pageNumberWidth = 800;

    BandWriter rh(band(ReportBand::ReportHeader), 420);
    rh.font = headingFont(16);
    rh.label(QStringLiteral("Products and Services Report"), 0, width).alignment = Qt::AlignHCenter;
    rh.next();
    rh.lineHeight = 270;
    rh.font = boldFont();
    rh.label(QStringLiteral("Go to last page to get all totals:->"), 0);
    rh.next();
    rh.finish();

    BandWriter ph(band(ReportBand::PageHeader));
    ph.label(QStringLiteral("Current page #:"), 0);
    ph.label(QStringLiteral("%p"), ph.right() + 60, pageNumberWidth);
    ph.label(QStringLiteral("Today's Date"), 2400);
    ph.label(QStringLiteral("%D"), ph.right() + 60, 2800);
    ph.next();
    ph.label(QStringLiteral("Go to last page in report for all totals:"), 0);
    ph.next();
    ph.rule(0, width);
    ph.finish();

    // One block per ticket: who and when, the four service lines, the
    // service totals, the five product lines, the product totals, the memo.
    BandWriter d(band(ReportBand::Detail));
    d.font = boldFont();
    d.captioned(QStringLiteral("DateAppointment:"), QStringLiteral("DateAppointment"), 0, 0, 1300, kReportDate);
    d.captioned(QStringLiteral("Employee:"), QStringLiteral("SalonArtist"), 3400, 0, 2400);
    d.next();
    d.font = ReportFont{};
    const QStringList serviceNames = {QStringLiteral("Service"), QStringLiteral("Service1"), QStringLiteral("Service2"),
                                      QStringLiteral("Service3")};
    for (int i = 0; i < 4; ++i) {
        d.captioned(QStringLiteral("Service:"), serviceNames[i], 0, 0, 3000);
        d.captioned(QStringLiteral("ServicePrice:"), QStringLiteral("ServicePrice%1").arg(i + 1), 4000, 0, 1200, kReportMoney);
        d.captioned(QStringLiteral("Quantity:"), QStringLiteral("QuantityService%1").arg(i + 1), 7100, 0, 700);
        d.next();
    }
    d.field(QStringLiteral("Price"), 0, 1200, kReportMoney);
    d.captioned(QStringLiteral("Taxpercent:"), QStringLiteral("Taxpercent"), 1400, 0, 600);
    d.captioned(QStringLiteral("Tax on Service"), QStringLiteral("TaxTotals"), 3300, 0, 1100, kReportMoney);
    d.captioned(QStringLiteral("Total For Service:"), QStringLiteral("Taxamount"), 5900, 0, 1200, kReportMoney);
    d.next();

    d.font = boldFont();
    d.label(QStringLiteral("Products"), 0);
    d.next();
    d.font = ReportFont{};
    for (int i = 0; i < 5; ++i) {
        const QString n = i == 0 ? QString() : QString::number(i);
        d.field(QStringLiteral("ProductsSold") + n, 0, 2300);
        d.captioned(QStringLiteral("ProductsPrice:"), QStringLiteral("ProductsPrice") + n, 2400, 0, 1100, kReportMoney);
        d.captioned(QStringLiteral("Quantity:"), QStringLiteral("Quantity") + n, 4950, 0, 600);
        d.captioned(QStringLiteral("SystemStockNumber:"), QStringLiteral("SystemStockNumber") + n, 6500, 0, 1200);
        d.next();
    }
    d.captioned(QStringLiteral("Product Sales Sub Total:"), QStringLiteral("ProductSales"), 0, 0, 1200, kReportMoney);
    d.captioned(QStringLiteral("Taxpercent:"), QStringLiteral("Taxpercent1"), 3600, 0, 600);
    d.next();
    d.captioned(QStringLiteral("Tax on Products:"), QStringLiteral("TaxTotals1"), 0, 0, 1200, kReportMoney);
    d.captioned(QStringLiteral("Totals For Products:"), QStringLiteral("taxamount1"), 3600, 0, 1200, kReportMoney);
    d.next();
    d.font = boldFont();
    d.captioned(QStringLiteral("SubTotals:"), QStringLiteral("Totals"), 0, 0, 1400, kReportMoney);
    d.label(QStringLiteral("Totals Service and Products:"), 3600);
    d.next();
    d.font = ReportFont{};
    d.fieldLine(QStringLiteral("Memo:"), QStringLiteral("Memo"), 0, width).canGrow = true;
    d.rule(0, width);
    d.finish();

    // The page total has the page number's room and ends at the right
    // margin, its caption just before it.
    BandWriter pf(band(ReportBand::PageFooter));
    ReportControl& pagesCaption = pf.label(QStringLiteral("Total Pages this Report"), 0);
    pagesCaption.left = width - pageNumberWidth - 60 - pagesCaption.width;
    pf.label(QStringLiteral("%P"), width - pageNumberWidth, pageNumberWidth);
    pf.finish();

    BandWriter f(band(ReportBand::ReportFooter), 300);
    f.y = 120;
    f.font = headingFont(12);
    f.label(QStringLiteral("Totals of Services, Products and Taxes to Date:"), 0);
    f.next();
    f.font = ReportFont{};
    f.captionedSum(QStringLiteral("Service Totals"), QStringLiteral("Price"), 600, 3400, 2000, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Products Totals"), QStringLiteral("ProductSales"), 600, 3400, 2000, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Tax Totals On Services"), QStringLiteral("TaxTotals"), 600, 3400, 2000, kReportMoney);
    f.next();
    f.captionedSum(QStringLiteral("Tax Totals On Products"), QStringLiteral("TaxTotals1"), 600, 3400, 2000, kReportMoney);
    f.next();
    f.font = boldFont();
    f.captionedSum(QStringLiteral("All Totals"), QStringLiteral("Totals"), 600, 3400, 2000, kReportMoney);
    f.finish();

    // A price or a total takes the room of its largest value; the next
    // caption on its line moves along instead of being written over.
    for (ReportSection& section : layout().sections)
        for (ReportControl& c : section.controls)
            if (c.format == kReportMoney)
                c.fitWidest = true;
}
