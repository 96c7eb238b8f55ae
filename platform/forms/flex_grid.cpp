#include "platform/forms/flex_grid.h"
#include "platform/forms/window.h"

#include <QHeaderView>

namespace qv {

FlexGrid::FlexGrid(QWidget* parent)
    : QTableWidget(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The fixed rows are the headings; Qt's own headers would repeat them.
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    setWordWrap(false);
    setRowCount(2);
    setColumnCount(2);
    styleRow(0);
}

void FlexGrid::setRows(int rows)
{
    const int before = rowCount();
    setRowCount(qMax(0, rows));
    for (int r = before; r < rowCount(); ++r)
        styleRow(r);
}

void FlexGrid::setCols(int cols)
{
    setColumnCount(qMax(0, cols));
    for (int r = 0; r < qMin(rowCount(), m_fixedRows); ++r)
        styleRow(r);
}

void FlexGrid::setFixedRows(int rows)
{
    m_fixedRows = qMax(0, rows);
    for (int r = 0; r < rowCount(); ++r)
        styleRow(r);
}

QString FlexGrid::textMatrix(int row, int col) const
{
    const QTableWidgetItem* cell = item(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    if (row < 0 || row >= rowCount() || col < 0 || col >= columnCount())
        return;
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, col, cell);
        if (row < m_fixedRows)
            styleRow(row);
    }
    cell->setText(text);
}

void FlexGrid::setRow(int row)
{
    if (row >= 0 && row < rowCount())
        setCurrentCell(row, qMax(0, currentColumn()));
}

int FlexGrid::colWidth(int col) const
{
    return twips(columnWidth(col));
}

void FlexGrid::setColWidth(int col, int twipsWidth)
{
    setColumnWidth(col, px(twipsWidth));
}

void FlexGrid::styleRow(int row)
{
    const bool fixed = row < m_fixedRows;
    for (int c = 0; c < columnCount(); ++c) {
        QTableWidgetItem* cell = item(row, c);
        if (!cell) {
            cell = new QTableWidgetItem;
            setItem(row, c, cell);
        }
        if (fixed) {
            cell->setBackground(palette().button());
            cell->setForeground(palette().buttonText());
            cell->setFlags(Qt::ItemIsEnabled);
        } else {
            cell->setData(Qt::BackgroundRole, QVariant());
            cell->setData(Qt::ForegroundRole, QVariant());
            cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
    }
}

} // namespace qv
