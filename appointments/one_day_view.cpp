#include "appointments/one_day_view.h"

#include "appointments/appointment_book.h"
#include "common/connections.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/forms/controls.h"
#include "platform/forms/flex_grid.h"
#include "platform/report/report.h"
#include "platform/values/clock.h"
#include "platform/values/convert.h"

#include <QFontMetrics>
#include <QPainter>

const QString OneDayView::kLoadQuery = QStringLiteral("SELECT * FROM [ServiceMenu] ")
    + QStringLiteral("Where [ServiceMenu.DateAppointment] ")
    + QStringLiteral("ORDER BY [ServiceMenu.DateAppointment]ASC");

namespace {

// The month calendar with today ringed in red, so that it can be found and clicked.
class TodayRingedCalendar : public qv::MonthCalendar {
public:
    using qv::MonthCalendar::MonthCalendar;

protected:
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override
    {
        qv::MonthCalendar::paintCell(painter, rect, date);
        if (date != qv::Clock::today())
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(QColor(220, 0, 0), 2));
        painter->setBrush(Qt::NoBrush);
        const int side = qMin(rect.width(), rect.height()) - 2;
        QRect ring(0, 0, side, side);
        ring.moveCenter(rect.center());
        painter->drawEllipse(ring);
        painter->restore();
    }
};

} // namespace

OneDayView::OneDayView(QWidget* parent) : qv::Window(parent)
{
    dayCalendar = new TodayRingedCalendar(this);
    dayCalendar->setObjectName(QStringLiteral("MonthView2"));
    // Sundays are told by their bold face, which needs weeks that start on Sunday.
    dayCalendar->setFirstDayOfWeek(Qt::Sunday);
    for (Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
        dayCalendar->setWeekdayTextFormat(day, dayCalendar->weekdayTextFormat(Qt::Monday));
    dayGrid = new qv::FlexGrid(this);
    dayGrid->setObjectName(QStringLiteral("MSHflexgrid1"));

    connect(dayCalendar, &qv::MonthCalendar::dayClicked, this,
            [this](const QDate& day) { guard([&] { showAppointmentsForDate(day); }); });
    connect(dayCalendar, &qv::MonthCalendar::monthShown, this,
            [this](int, int) { guard([this] { boldSundays(); }); });
}

OneDayView::~OneDayView() = default;

void OneDayView::formLoad()
{
    dayCalendar->setVisible(true);
    boldSundays();
    prepareLoad();
    // The rows exist before the connection does, so that printing after a
    // failed load finds (empty) rows rather than none.
    m_rows = std::make_shared<qv::Recordset>();
    m_connection = std::make_unique<qv::Connection>();
    m_connection->open(jetConnectionString(databasePathPlain()));
    m_rows->open(kLoadQuery, *m_connection);
    dayGrid->setVisible(true);
}

QString OneDayView::queryDate(const QDate& day)
{
    return day.toString(QStringLiteral("MM/dd/yyyy"));
}

void OneDayView::showAppointmentsForDate(const QDate& day)
{
    dayGrid->setVisible(true);
    if (!m_connection)
        throw qv::Error(QStringLiteral("Operation is not allowed when the object is closed."));
    std::shared_ptr<qv::Recordset> rows = m_connection->execute(dayQuery(queryDate(day)));
    m_rows = rows;

    qv::FlexGrid* grid = dayGrid;
    grid->setRows(1);
    grid->setCols(rows->fieldCount());
    for (int c = 0; c < rows->fieldCount(); ++c)
        grid->setTextMatrix(0, c, rows->fieldName(c));
    // Read by index: the rows' own position stays where the query left it.
    for (int r = 0; r < rows->recordCount(); ++r) {
        grid->setRows(grid->rows() + 1);
        const int last = grid->rows() - 1;
        grid->setRow(last);
        for (int c = 0; c < rows->fieldCount(); ++c)
            grid->setTextMatrix(last, c, qv::formatValue(rows->valueAt(r, c), QString()));
    }
    autoSizeGridColumns(grid, font());
}

void OneDayView::autoSizeGridColumns(qv::FlexGrid* grid, const QFont& font)
{
    const QFontMetrics metrics(font);
    for (int c = 0; c < grid->cols(); ++c) {
        int widest = 0;
        for (int r = 0; r < grid->rows(); ++r)
            widest = qMax(widest, qv::twips(metrics.horizontalAdvance(grid->textMatrix(r, c))));
        grid->setColWidth(c, widest + 500);
    }
}

void OneDayView::boldSundays()
{
    const int shownDays = 42;   // six weeks of seven days
    const QDate first = dayCalendar->firstShownDay();
    dayCalendar->clearBold();
    for (int index : AppointmentBook::boldDayIndexes(shownDays, 1))
        dayCalendar->setDayBold(first.addDays(index), true);
}

void OneDayView::printCurrentRows()
{
    try {
        std::unique_ptr<qv::Report> report = makeReport();
        report->setDataSource(m_rows);
        report->show();
        report->setDataSource(nullptr);
    } catch (...) {
    }
}
