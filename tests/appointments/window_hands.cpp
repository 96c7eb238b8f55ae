#include "support/user_hands.h"
#include "window_hands.h"

#include "platform/report/report_preview.h"

#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace apptest {

void clickDay(qv::MonthCalendar* calendar, const QDate& day)
{
    calendar->setCurrentPage(day.year(), day.month());
    auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    if (!view)
        return;
    // Row 0 holds the names of the days; the weeks follow.
    const int shown = int(calendar->firstShownDay().daysTo(day));
    const QRect cell = view->visualRect(view->model()->index(1 + shown / 7, shown % 7));
    qvtest::clickAt(view->viewport(), cell.center());
}

QStringList detailField(const qv::ReportDocument& document, const QString& field)
{
    QStringList out;
    for (const qv::ReportPage& page : document.pages)
        for (const qv::ReportItem& item : page.itemsIn(qv::ReportBand::Detail))
            if (item.dataField.compare(field, Qt::CaseInsensitive) == 0)
                out << item.text;
    return out;
}

bool withPreview(const std::function<void()>& act, const std::function<void(const qv::ReportDocument&)>& look)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        qv::ReportPreview* preview = qv::ReportPreview::current();
        if (!preview)
            return;
        opened = true;
        look(preview->document());
        qvtest::clickAt(preview->cmdClose);
    });
    act();
    return opened;
}

} // namespace apptest
