#include "staff/chart_control.h"

#include "platform/values/error.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QFontMetricsF>
#include <QLineSeries>
#include <QValueAxis>
#include <cmath>

namespace {

const QString kBadIndex = QStringLiteral("Invalid procedure call or argument");

} // namespace

ChartControl::ChartControl(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
    // The lines' labels are spaced by the room the plot has; it is known
    // only once the chart is laid out, and changes with the window's size.
    connect(chart(), &QChart::plotAreaChanged, this, [this] { labelRows(); }, Qt::QueuedConnection);
    draw();
}

void ChartControl::checkRow(int row) const
{
    if (row < 1 || row > rowCount())
        throw qv::Error(kBadIndex, 5);
}

void ChartControl::checkColumn(int column) const
{
    if (column < 1 || column > columnCount())
        throw qv::Error(kBadIndex, 5);
}

void ChartControl::clearGrid()
{
    m_cells.clear();
    m_rowLabels.clear();
    m_columnLabels.clear();
    m_markers.clear();
    changed();
}

void ChartControl::insertRows(int at, int count)
{
    if (at < 1 || at > rowCount() + 1 || count < 0)
        throw qv::Error(kBadIndex, 5);
    for (int i = 0; i < count; ++i) {
        m_cells.insert(at - 1, QList<std::optional<double>>(columnCount()));
        m_rowLabels.insert(at - 1, QString());
    }
    changed();
}

void ChartControl::insertColumns(int at, int count)
{
    if (at < 1 || at > columnCount() + 1 || count < 0)
        throw qv::Error(kBadIndex, 5);
    for (int i = 0; i < count; ++i) {
        for (auto& row : m_cells)
            row.insert(at - 1, std::nullopt);
        m_columnLabels.insert(at - 1, QString());
        m_markers.insert(at - 1, true);
    }
    changed();
}

void ChartControl::setRowLabel(int row, const QString& label)
{
    checkRow(row);
    m_rowLabels[row - 1] = label;
    changed();
}

void ChartControl::setColumnLabel(int column, const QString& label)
{
    checkColumn(column);
    m_columnLabels[column - 1] = label;
    changed();
}

QString ChartControl::rowLabel(int row) const
{
    checkRow(row);
    return m_rowLabels[row - 1];
}

QString ChartControl::columnLabel(int column) const
{
    checkColumn(column);
    return m_columnLabels[column - 1];
}

void ChartControl::setData(int row, int column, double value)
{
    checkRow(row);
    checkColumn(column);
    m_cells[row - 1][column - 1] = value;
    changed();
}

std::optional<double> ChartControl::data(int row, int column) const
{
    checkRow(row);
    checkColumn(column);
    return m_cells[row - 1][column - 1];
}

void ChartControl::setRepaint(bool on)
{
    m_repaint = on;
    if (m_repaint && m_undrawn)
        draw();
}

void ChartControl::setSeriesMarkerShown(int series, bool show)
{
    checkColumn(series);
    m_markers[series - 1] = show;
    changed();
}

bool ChartControl::seriesMarkerShown(int series) const
{
    checkColumn(series);
    return m_markers[series - 1];
}

void ChartControl::setTitle(const QString& title, const QFont& font)
{
    chart()->setTitle(title);
    chart()->setTitleFont(font);
}

void ChartControl::setAxisTitles(const QString& categoryTitle, const QString& valueTitle)
{
    m_categoryTitle = categoryTitle;
    m_valueTitle = valueTitle;
    changed();
}

void ChartControl::setStyle(Style style)
{
    m_style = style;
    changed();
}

void ChartControl::changed()
{
    m_undrawn = true;
    if (m_repaint)
        draw();
}

namespace {

// Equal labels would merge into one place on the axis; each row keeps its own.
QStringList uniqueLabels(const QStringList& labels)
{
    QStringList shown;
    for (const QString& label : labels) {
        QString unique = label;
        while (shown.contains(unique))
            unique += QLatin1Char(' ');
        shown << unique;
    }
    return shown;
}

// Each series its own colour: the theme's five repeat from the sixth on,
// and a month of product totals has more than five.
QColor seriesColour(int column)
{
    static const QRgb distinct[] = {0x1f77b4, 0xff7f0e, 0x2ca02c, 0xd62728, 0x9467bd, 0x8c564b,
                                    0xe377c2, 0x7f7f7f, 0xbcbd22, 0x17becf};
    const int count = int(std::size(distinct));
    if (column < count)
        return QColor(distinct[column]);
    return QColor::fromHsv((column * 137) % 360, 200, 200);
}

} // namespace

void ChartControl::draw()
{
    ++m_draws;
    m_undrawn = false;
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes()) {
        c->removeAxis(axis);
        delete axis;
    }
    m_rowAxis = nullptr;

    double low = 0, high = 0;
    if (m_style == Style::Lines)
        drawLines(low, high);
    else
        drawBars(low, high);

    auto* values = new QValueAxis;
    values->setRange(low, high > low ? high * 1.1 : low + 1);
    values->applyNiceNumbers();
    values->setTitleText(m_valueTitle);
    c->addAxis(values, Qt::AlignLeft);
    for (QAbstractSeries* series : c->series())
        series->attachAxis(values);
    // The lines' legend stands beside the plot, one name a line, so that
    // each line's name is read whole however many lines there are; the
    // names past the plot's height are scrolled to.
    c->legend()->setAlignment(m_style == Style::Lines ? Qt::AlignRight : Qt::AlignBottom);
    c->legend()->setVisible(columnCount() > 1);
}

void ChartControl::drawBars(double& low, double& high)
{
    QChart* c = chart();
    auto* bars = new QBarSeries;
    bool anyMarker = false;
    for (int col = 0; col < columnCount(); ++col) {
        auto* set = new QBarSet(m_columnLabels[col]);
        set->setColor(seriesColour(col));
        set->setBorderColor(seriesColour(col));
        for (int row = 0; row < rowCount(); ++row) {
            const double v = m_cells[row][col].value_or(0.0);
            low = qMin(low, v);
            high = qMax(high, v);
            *set << v;
        }
        // A series without markers keeps its value labels unseen.
        if (m_markers[col])
            anyMarker = true;
        else
            set->setLabelColor(Qt::transparent);
        bars->append(set);
    }
    bars->setLabelsVisible(anyMarker);
    bars->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    c->addSeries(bars);

    addRowAxis();
    bars->attachAxis(m_rowAxis);
    m_labelStep = 0;
    labelRows();
}

// The rows' axis: one place per row (row r at r - 1), labelled by
// labelRows. Its labels are set in a smaller face: dates and names are long
// labels under narrow bars and close lines.
void ChartControl::addRowAxis()
{
    m_rowAxis = new QCategoryAxis;
    m_rowAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    m_rowAxis->setTitleText(m_categoryTitle);
    QFont labels = m_rowAxis->labelsFont();
    m_labelPoints = labels.pointSizeF() * 0.85;
    labels.setPointSizeF(m_labelPoints);
    m_rowAxis->setLabelsFont(labels);
    m_rowAxis->setGridLineVisible(m_style == Style::Lines);
    // The chart would cut a turned name to the room it reckons a label has,
    // a good deal less than the bar's own; the names are spaced above so
    // that whole ones never meet.
    m_rowAxis->setTruncateLabels(m_style == Style::Lines);
    chart()->addAxis(m_rowAxis, Qt::AlignBottom);
}

void ChartControl::drawLines(double& low, double& high)
{
    QChart* c = chart();
    addRowAxis();
    for (int col = 0; col < columnCount(); ++col) {
        auto* line = new QLineSeries;
        line->setName(m_columnLabels[col]);
        // A line joins only the cells that hold a value; its points are
        // drawn, so that a value seen on one row alone is seen too.
        for (int row = 0; row < rowCount(); ++row) {
            if (!m_cells[row][col])
                continue;
            const double v = *m_cells[row][col];
            low = qMin(low, v);
            high = qMax(high, v);
            line->append(row, v);
        }
        c->addSeries(line);
        line->attachAxis(m_rowAxis);
        QPen pen(seriesColour(col));
        pen.setWidthF(1.5);
        line->setPen(pen);
        line->setPointsVisible(true);
        line->setMarkerSize(3.5);   // about seven pixels across
        line->setPointLabelsVisible(m_markers[col]);
    }
    m_labelStep = 0;
    labelRows();
}

void ChartControl::labelRows()
{
    // Rows sit one step apart on the axis. Labels are upright when each fits
    // its step; else they stand on end. Under bars every bar keeps its name:
    // turned names stand side by side, in smaller type when the bars are
    // too narrow for them. Under lines (a year of dates) only every so many
    // rows is labelled, so that no two labels overlap or get cut short.
    if (!m_rowAxis || rowCount() == 0)
        return;
    const QRectF plot = chart()->plotArea();
    const double width = plot.width() > 0 ? plot.width() : qMax(1, viewport()->width() - 100);
    const double spacing = width / rowCount();
    QFont font = m_rowAxis->labelsFont();
    font.setPointSizeF(m_labelPoints);
    const QFontMetricsF metrics(font);
    double widest = 0;
    for (const QString& label : m_rowLabels)
        widest = qMax(widest, metrics.horizontalAdvance(label));
    const double gap = metrics.averageCharWidth() * 2;
    // The axis keeps a margin on either side of an upright label's text.
    const double margins = 12;
    int angle = 0;
    int step = 1;
    // Until the chart is laid out its room is a guess: bars name every row.
    const bool guessing = plot.width() <= 0 && m_style == Style::Bars;
    if (!guessing && widest + gap + margins > spacing) {
        angle = -90;
        if (m_style == Style::Bars) {
            // A turned name is as thick as its line and the margins of the
            // chart's text, with a little air before the next.
            const auto thickness = [](const QFont& f) { return QFontMetricsF(f).height() + 6; };
            while (thickness(font) > spacing && font.pointSizeF() > kSmallestLabelPoints)
                font.setPointSizeF(qMax(kSmallestLabelPoints, font.pointSizeF() - 0.25));
            step = qMax(1, int(std::ceil(thickness(font) / spacing)));
        } else {
            step = qMax(1, int(std::ceil((metrics.height() + gap) / spacing)));
        }
    }
    if (step == m_labelStep && angle == m_rowAxis->labelsAngle()
        && font.pointSizeF() == m_rowAxis->labelsFont().pointSizeF())
        return;
    m_labelStep = step;
    for (const QString& label : m_rowAxis->categoriesLabels())
        m_rowAxis->remove(label);
    m_rowAxis->setLabelsFont(font);
    m_rowAxis->setLabelsAngle(angle);
    m_rowAxis->setStartValue(-0.5);
    const QStringList shown = uniqueLabels(m_rowLabels);
    for (int row = 0; row < rowCount(); row += step)
        m_rowAxis->append(shown[row], row);
    m_rowAxis->setRange(-0.5, rowCount() - 0.5);
}

QStringList ChartControl::drawnCategories() const
{
    return drawnLabels().values();
}

QMap<double, QString> ChartControl::drawnLabels() const
{
    QMap<double, QString> labels;
    const auto axes = chart()->axes(Qt::Horizontal);
    if (axes.isEmpty())
        return labels;
    if (auto* rows = qobject_cast<QCategoryAxis*>(axes.first())) {
        for (const QString& label : rows->categoriesLabels())
            labels.insert(rows->endValue(label), label);
    }
    return labels;
}

QStringList ChartControl::drawnSeries() const
{
    QStringList names;
    for (QAbstractSeries* s : chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(s))
            for (QBarSet* set : bars->barSets())
                names << set->label();
        else
            names << s->name();
    }
    return names;
}

QList<QPointF> ChartControl::drawnPoints(int column) const
{
    QList<QPointF> points;
    int seen = 0;
    for (QAbstractSeries* s : chart()->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(s)) {
            for (QBarSet* set : bars->barSets())
                if (++seen == column)
                    for (int i = 0; i < set->count(); ++i)
                        points << QPointF(i, set->at(i));
        } else if (auto* line = qobject_cast<QLineSeries*>(s)) {
            if (++seen == column)
                points = line->points();
        }
    }
    return points;
}
