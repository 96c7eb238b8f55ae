#pragma once
// What the two one-day windows share: a month calendar whose clicked day
// lists that day's tickets in a text grid (field names in the first row,
// one ticket a row), Sundays in bold, columns sized to their texts, and a
// print button that hands the window's current rows to its report.
//
// The current rows are those of the load query (every ticket with an
// appointment date, earliest first) until a day is clicked, then always the
// last day's.
#include "platform/forms/window.h"
#include <QDate>
#include <QString>
#include <memory>

class QFont;

namespace qv {
class Connection;
class FlexGrid;
class MonthCalendar;
class Recordset;
class Report;
}

class OneDayView : public qv::Window {
    Q_OBJECT
public:
    explicit OneDayView(QWidget* parent = nullptr);
    ~OneDayView() override;

protected:
    // What each window gives: the day's query for a date already in SQLDate
    // form, its report, and its own steps of the load, run before the
    // connection opens.
    virtual QString dayQuery(const QString& sqlDate) const = 0;
    virtual std::unique_ptr<qv::Report> makeReport() const = 0;
    virtual void prepareLoad() {}

    void formLoad() override;

    // The current rows to the window's report, shown modally; errors are passed over.
    void printCurrentRows();

    // Controls; each window places them, tests find them by their objectName.
    qv::MonthCalendar* dayCalendar = nullptr;
    qv::FlexGrid* dayGrid = nullptr;

private:
    // A day picked on the calendar: its tickets into the grid.
    void showAppointmentsForDate(const QDate& day);
    void boldSundays();
    // "mm/dd/yyyy", as the query's # signs take a date.
    static QString queryDate(const QDate& day);
    // Each column as wide as its widest text in the given font, plus 500 twips.
    static void autoSizeGridColumns(qv::FlexGrid* grid, const QFont& font);

    // The load query: every ticket whose appointment date is set, earliest first.
    static const QString kLoadQuery;

    std::unique_ptr<qv::Connection> m_connection;
    std::shared_ptr<qv::Recordset> m_rows;
};
