#include "staff/stats_chart.h"

#include "common/connections.h"
#include "common/window_helpers.h"
#include "platform/data/database.h"
#include "platform/data/recordset.h"
#include "platform/services/services.h"
#include "platform/values/convert.h"
#include "platform/values/error.h"
#include "staff/chart_control.h"

#include <QHash>
#include <QPushButton>

namespace {

const int kCloseWidth = 1080;
const int kCloseHeight = 300;

// A missing value charts as 0 and keys as empty text.
QString keyText(const QVariant& value)
{
    return value.isNull() ? QString() : qv::formatValue(value, QString());
}

// Tickets without an artist, a date or a product total are a group of their
// own; an empty label would be passed over by the axis, and every later
// group would slide onto the name before it.
QString labelOf(const QString& key)
{
    return key.isEmpty() ? QStringLiteral("(none)") : key;
}

double chartedNumber(const QVariant& value)
{
    if (value.isNull())
        return 0;
    if (value.userType() == QMetaType::QString) {
        const std::optional<qv::Money> amount = qv::tryReadMoney(value.toString());
        if (!amount)
            throw qv::Error(QStringLiteral("Type mismatch"), 13);
        return amount->toDouble();
    }
    if (value.userType() == qMetaTypeId<qv::Money>())
        return value.value<qv::Money>().toDouble();
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok)
        throw qv::Error(QStringLiteral("Type mismatch"), 13);
    return number;
}

// Row and column numbers of the chart are small integers.
int chartIndex(qsizetype counter)
{
    if (counter > StatsChart::kMaxIndex)
        throw qv::Error(QStringLiteral("Overflow"), 6);
    return int(counter);
}

} // namespace

StatsChart::StatsChart(const StatsChartSettings& settings, QWidget* parent)
    : qv::Window(parent)
    , m_settings(settings)
{
    setWindowTitle(settings.caption);
    chart = new ChartControl(this);
    chart->setObjectName(settings.chartName);
    chart->setTitle(settings.title, settings.titleFont);
    chart->setAxisTitles(settings.categoryAxisTitle, settings.valueAxisTitle);
    chart->setStyle(settings.lines ? ChartControl::Style::Lines : ChartControl::Style::Bars);
    closeButton = new QPushButton(QStringLiteral("Close"), this);
    closeButton->setObjectName(QStringLiteral("cmdClose"));
    qv::place(closeButton, 0, 0, kCloseWidth, kCloseHeight);
    showPlaceholder();
    setTwipsSize(settings.innerWidth, settings.innerHeight);

    onClick(closeButton, [this] { unload(); });
}

StatsChart::~StatsChart() = default;

void StatsChart::showPlaceholder()
{
    // Shown until the table's figures replace it, and kept when they cannot be read.
    chart->setRepaint(false);
    chart->clearGrid();
    chart->insertColumns(1, 4);
    chart->insertRows(1, 5);
    for (int c = 1; c <= 4; ++c)
        chart->setColumnLabel(c, QStringLiteral("C%1").arg(c));
    for (int r = 1; r <= 5; ++r) {
        chart->setRowLabel(r, QStringLiteral("R%1").arg(r));
        for (int c = 1; c <= 4; ++c)
            chart->setData(r, c, 2 + (r * 3 + c * 5) % 9);
    }
    chart->setRepaint(true);
}

void StatsChart::formLoad()
{
    makeTopMost(this);
    const QString connectionString = chartConnectionString();
    // The fill and the markers are drawn together once, when both are done:
    // a year of tickets has a hundred product totals, and a drawing for each
    // marker's setting froze the program for minutes.
    chart->setRepaint(false);
    try {
        qv::Connection connection;
        connection.open(connectionString);
        qv::Recordset rs;
        rs.open(m_settings.shapeCommand, connection);
        drawChart(rs, m_settings.rowField, m_settings.valueField, m_settings.seriesField);
        showSeriesMarkers(false);
        chart->setRepaint(true);
    } catch (const qv::Error& e) {
        chart->setRepaint(true);
        showError(e);
    } catch (const std::exception& e) {
        chart->setRepaint(true);
        showError(qv::Error(QString::fromLocal8Bit(e.what())));
    }
}

void StatsChart::drawChart(qv::Recordset& rs, const QString& rowField, const QString& valueField,
                           const QString& seriesField)
{
    const bool seriesMode = !seriesField.isEmpty();
    // Keys match whatever their letter case.
    QHash<QString, int> rows;
    QHash<QString, int> series;
    // Redrawing comes back as it was found: on after a fill of its own, still
    // off inside a load that draws once after the markers.
    const bool redraw = chart->repaint();
    try {
        chart->setRepaint(false);
        chart->clearGrid();
        if (!seriesMode)
            chart->insertColumns(1, 1);
        rs.moveFirst();
        while (!rs.eof()) {
            const QString rowKey = keyText(rs.value(rowField));
            int row = rows.value(rowKey.toCaseFolded(), 0);
            if (row == 0) {
                row = chartIndex(rows.size() + 1);
                rows.insert(rowKey.toCaseFolded(), row);
                chart->insertRows(row, 1);
                chart->setRowLabel(row, labelOf(rowKey));
            }
            int column = 1;
            if (seriesMode) {
                const QString seriesKey = keyText(rs.value(seriesField));
                column = series.value(seriesKey.toCaseFolded(), 0);
                if (column == 0) {
                    column = chartIndex(series.size() + 1);
                    series.insert(seriesKey.toCaseFolded(), column);
                    chart->insertColumns(column, 1);
                    chart->setColumnLabel(column, labelOf(seriesKey));
                }
            }
            chart->setData(row, column, chartedNumber(rs.value(valueField)));
            rs.moveNext();
        }
        chart->setRepaint(redraw);
    } catch (const qv::Error& e) {
        chart->setRepaint(redraw);
        showError(e);
    }
}

void StatsChart::showSeriesMarkers(bool show)
{
    try {
        const int count = chart->seriesCount();
        for (int i = 1; i <= count; ++i)
            chart->setSeriesMarkerShown(i, show);
    } catch (const qv::Error& e) {
        showError(e);
    }
}

void StatsChart::showError(const qv::Error& error)
{
    qv::ui().msgBox(error.description(), qv::MsgStyle::Exclamation, qv::UiServices::programTitle());
}

void StatsChart::formResize()
{
    const int w = qv::twips(width());
    const int h = qv::twips(height());
    const int top = h - (kCloseHeight + 60);
    closeButton->move(qv::px(w - (kCloseWidth + 60)), qv::px(top));
    // A window too small for the chart leaves it where it was.
    if (w - 120 >= 0 && top - 120 >= 0)
        qv::place(chart, 60, 60, w - 120, top - 120);
}
