#include "support/layout_extras.h"

#include "support/user_hands.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QWidget>

namespace qvtest {

QStringList overlapsOf(QWidget* control)
{
    QStringList out;
    QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return out;
    const QRect mine = control->geometry();
    for (QObject* o : parent->children()) {
        auto* other = qobject_cast<QWidget*>(o);
        if (!other || other == control || other->isWindow() || !other->isVisibleTo(parent) || other->size().isEmpty())
            continue;
        const QRect r = other->geometry();
        if (r.intersects(mine))
            out << QStringLiteral("%1 at %2,%3 size %4x%5 meets %6 at %7,%8 size %9x%10")
                       .arg(describe(other)).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                       .arg(describe(control)).arg(mine.x()).arg(mine.y()).arg(mine.width()).arg(mine.height());
    }
    return out;
}


QStringList columnsOutOfSight(QTableView* grid)
{
    QStringList out;
    if (!grid || !grid->model())
        return out;
    QHeaderView* header = grid->horizontalHeader();
    const int scrollBar = grid->verticalScrollBar()->isVisible() ? 0 : grid->verticalScrollBar()->sizeHint().width();
    const int room = grid->viewport()->width() - scrollBar;
    for (int c = 0; c < grid->model()->columnCount(); ++c) {
        if (header->isSectionHidden(c))
            continue;
        const int right = header->sectionPosition(c) + header->sectionSize(c);
        if (right > room)
            out << QStringLiteral("%1: column \"%2\" ends at %3, the grid shows %4")
                       .arg(describe(grid), grid->model()->headerData(c, Qt::Horizontal).toString())
                       .arg(right)
                       .arg(room);
    }
    return out;
}

QStringList cutCells(QTableView* grid)
{
    QStringList out;
    if (!grid || !grid->model())
        return out;
    const QFontMetrics fm(grid->font());
    const int margin = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1);
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        for (int col = 0; col < grid->model()->columnCount(); ++col) {
            const QString text = grid->model()->index(row, col).data().toString();
            const int need = fm.horizontalAdvance(text) + margin;
            if (!grid->isColumnHidden(col) && need > grid->columnWidth(col))
                out << QStringLiteral("%1: cell \"%2\" (row %3, column %4) is cut: needs %5, has %6")
                           .arg(describe(grid), text)
                           .arg(row)
                           .arg(col)
                           .arg(need)
                           .arg(grid->columnWidth(col));
        }
    return out;
}

} // namespace qvtest
