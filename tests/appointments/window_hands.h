#pragma once
// Hands for the appointment windows other than the book: clicking a day on a
// month calendar, reading what a report preview shows, closing the preview.
#include "platform/forms/controls.h"
#include "platform/report/report.h"

#include <QDate>
#include <QStringList>
#include <functional>

namespace apptest {

// Clicks the day's cell (the calendar turns to its month first).
void clickDay(qv::MonthCalendar* calendar, const QDate& day);

// The texts the detail band shows for one field, over every page.
QStringList detailField(const qv::ReportDocument& document, const QString& field);

// Runs `act`, which must open a report preview; the preview's document is
// handed to `look` and the preview closed. False when no preview opened.
bool withPreview(const std::function<void()>& act, const std::function<void(const qv::ReportDocument&)>& look);

} // namespace apptest
