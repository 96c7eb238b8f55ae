#pragma once
// Readers for grids as the user sees them: the texts of one column down the
// rows, and the captions over the columns. A grid with no rows bound reads
// as empty.
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QStringList>

namespace qvtest {

inline QStringList gridColumn(const QAbstractItemView* grid, int col)
{
    QStringList out;
    QAbstractItemModel* m = grid->model();
    for (int r = 0; m && r < m->rowCount(); ++r)
        out << m->index(r, col).data().toString();
    return out;
}

inline QStringList gridCaptions(const QAbstractItemView* grid)
{
    QStringList out;
    QAbstractItemModel* m = grid->model();
    for (int c = 0; m && c < m->columnCount(); ++c)
        out << m->headerData(c, Qt::Horizontal).toString();
    return out;
}

} // namespace qvtest
