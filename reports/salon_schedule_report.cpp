#include "reports/salon_schedule_report.h"

using namespace qv;

SalonScheduleReport::SalonScheduleReport()
    : SalonReport(QStringLiteral("Salon Schedule"))
{
    const int width = layout().reportWidth();

    BandWriter ph(band(ReportBand::PageHeader), 400);
    ph.font = headingFont(16);
    ph.label(QStringLiteral("Salon Schedule"), 0, width).alignment = Qt::AlignHCenter;
    ph.next();
    ph.lineHeight = 270;
    ph.font = ReportFont{};
    ph.label(QStringLiteral("Page #"), 0);
    ph.label(QStringLiteral("%p"), ph.right() + 60, 500);
    ph.label(QStringLiteral("Total pages"), 1800);
    ph.label(QStringLiteral("%P"), ph.right() + 60, 500);
    ph.label(QStringLiteral("Today's Date"), 4600);
    ph.label(QStringLiteral("%D"), ph.right() + 60, 3000);
    ph.next();
    ph.finish();

    // One sheet per row: the month, the days of the week, and the 42 day
    // cells in six rows of seven, each framed.
    BandWriter d(band(ReportBand::Detail), 420);
    d.font = headingFont(14);
    d.field(QStringLiteral("MonthYear"), 0, width).alignment = Qt::AlignHCenter;
    d.next();
    const int cellWidth = width / 7;
    const int cellHeight = 1650;
    const QStringList days = {QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                              QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                              QStringLiteral("Saturday")};
    d.lineHeight = 300;
    d.font = boldFont();
    for (int c = 0; c < 7; ++c) {
        ReportControl& h = d.label(days[c], c * cellWidth, cellWidth);
        h.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
        h.border = true;
        h.height = d.lineHeight;   // the grid's frames meet
    }
    d.next();
    ReportFont cellFont;
    cellFont.size = 9;
    d.font = cellFont;
    d.lineHeight = cellHeight;
    for (int r = 0; r < 6; ++r) {
        for (int c = 0; c < 7; ++c) {
            ReportControl& cell = d.field(QStringLiteral("day%1").arg(r * 7 + c + 1), c * cellWidth, cellWidth);
            cell.height = cellHeight;
            cell.border = true;
            cell.wordWrap = true;
        }
        d.next();
    }
    d.finish(120);
}
