#include "staff/chart_control.h"

#include "platform/values/error.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QValueAxis>

namespace {

const QString kBadIndex = QStringLiteral("Invalid procedure call or argument");

} // namespace

ChartControl::ChartControl(QWidget* parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    chart()->legend()->setAlignment(Qt::AlignBottom);
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
    changed();
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

void ChartControl::changed()
{
    if (m_repaint)
        draw();
}

void ChartControl::draw()
{
    ++m_draws;
    QChart* c = chart();
    c->removeAllSeries();
    for (QAbstractAxis* axis : c->axes())
        c->removeAxis(axis);

    auto* bars = new QBarSeries;
    bool anyMarker = false;
    double low = 0, high = 0;
    for (int col = 0; col < columnCount(); ++col) {
        auto* set = new QBarSet(m_columnLabels[col]);
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

    auto* categories = new QBarCategoryAxis;
    // Equal labels would merge into one category; each row keeps its place.
    QStringList shown;
    for (const QString& label : m_rowLabels) {
        QString unique = label;
        while (shown.contains(unique))
            unique += QLatin1Char(' ');
        shown << unique;
    }
    categories->append(shown);
    categories->setTitleText(m_categoryTitle);
    // Dates are long labels: a smaller face keeps them whole under narrow bars.
    QFont labels = categories->labelsFont();
    labels.setPointSizeF(labels.pointSizeF() * 0.85);
    categories->setLabelsFont(labels);
    c->addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);

    auto* values = new QValueAxis;
    values->setRange(low, high > low ? high * 1.1 : low + 1);
    values->applyNiceNumbers();
    values->setTitleText(m_valueTitle);
    c->addAxis(values, Qt::AlignLeft);
    bars->attachAxis(values);
    c->legend()->setVisible(columnCount() > 1);
}

QStringList ChartControl::drawnCategories() const
{
    const auto axes = chart()->axes(Qt::Horizontal);
    if (auto* categories = axes.isEmpty() ? nullptr : qobject_cast<QBarCategoryAxis*>(axes.first()))
        return categories->categories();
    return {};
}

QStringList ChartControl::drawnSeries() const
{
    QStringList names;
    for (QAbstractSeries* s : chart()->series())
        if (auto* bars = qobject_cast<QBarSeries*>(s))
            for (QBarSet* set : bars->barSets())
                names << set->label();
    return names;
}
