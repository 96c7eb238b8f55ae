#include "reports/memo_list_report.h"

using namespace qv;

MemoListReport::MemoListReport()
    : SalonReport(QStringLiteral("Memo list for Clients"))
{
    const int width = layout().reportWidth();

    BandWriter rh(band(ReportBand::ReportHeader), 420);
    rh.font = headingFont(16);
    rh.label(QStringLiteral("MEMO"), 0, width).alignment = Qt::AlignHCenter;
    rh.next();
    rh.finish();

    BandWriter ph(band(ReportBand::PageHeader));
    ph.label(QStringLiteral("%D"), 0, 4000);
    ph.next();
    ph.rule(0, width);
    ph.finish();

    // One line per ticket, no captions; a long memo wraps and pushes the next ticket down.
    BandWriter d(band(ReportBand::Detail));
    d.field(QStringLiteral("DateAppointment"), 0, 1300);
    d.field(QStringLiteral("Memo"), 1400, 4300).canGrow = true;
    d.field(QStringLiteral("SalonArtist"), 5800, 1400);
    d.field(QStringLiteral("CustomerName"), 7300, width - 7300);
    d.finish(30);
}
