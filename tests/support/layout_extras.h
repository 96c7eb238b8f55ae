#pragma once
// What a reader sees wrong where a mouse still gets through, so the layout
// check of centres passes it: controls lying partly on one another (a caption
// over another caption, a button whose edge goes under a bar), and grid
// columns that only come into sight by scrolling sideways.
#include <QStringList>

class QTableView;
class QWidget;

namespace qvtest {

// The shown controls beside `control` (with the same parent) whose
// rectangles meet its own, named with their rectangles.
QStringList overlapsOf(QWidget* control);

// The columns of the grid that reach beyond what it shows without scrolling
// sideways, keeping room for the vertical scroll bar of a long list.
QStringList columnsOutOfSight(QTableView* grid);

// The cells of a grid whose text its column cuts, headings in the grid's own
// rows included (grids that show no header of their own).
QStringList cutCells(QTableView* grid);

} // namespace qvtest
