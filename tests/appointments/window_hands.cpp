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
    qvtest::clickDay(calendar, day);
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
