#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/values/convert.h"
#include <QAbstractTableModel>
#include <QEvent>
#include <QFontMetricsF>
#include <QHash>
#include <QStyle>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <QTimer>
#include <cmath>

namespace qv {

namespace {

// The rows of a recordset as a read-only table, read in place.
class RecordsetModel : public QAbstractTableModel {
public:
    std::shared_ptr<Recordset> rs;
    QList<GridColumn> columns;
    QList<int> fieldIndexes;
    int rows = 0;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : rows;
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : int(columns.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || !rs)
            return QVariant();
        const int field = fieldIndexes.value(index.column(), -1);
        if (field < 0 || index.row() >= rs->recordCount())
            return QVariant();
        try {
            return formatValue(rs->valueAt(index.row(), field), columns[index.column()].format);
        } catch (const std::exception&) {
            return QVariant();
        }
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
            return QVariant();
        return columns.value(section).caption;
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
    }

    void reload()
    {
        beginResetModel();
        rows = 0;
        fieldIndexes.clear();
        fieldNames.clear();
        indexed = rs && rs->isOpen();
        if (indexed) {
            for (const GridColumn& c : std::as_const(columns))
                fieldIndexes << rs->fieldIndex(c.field);
            const int count = rs->fieldCount();
            fieldNames.reserve(count);
            for (int i = 0; i < count; ++i)
                fieldNames << rs->fieldName(i);
            rows = rs->recordCount();
        }
        endResetModel();
    }

    // True when the columns' fields lie where they were found: an open
    // recordset with the same field names in the same order.
    bool fieldsAsIndexed(const Recordset& other) const
    {
        if (!indexed || !other.isOpen() || other.fieldCount() != fieldNames.size())
            return false;
        for (int i = 0; i < fieldNames.size(); ++i)
            if (other.fieldName(i) != fieldNames[i])
                return false;
        return true;
    }

private:
    bool indexed = false;    // fieldIndexes were found in an open recordset...
    QStringList fieldNames;  // ...with these fields
};

// A row holds one line of the grid's type with room above and below.
int rowHeightFor(const QFont& font)
{
    return QFontMetrics(font).height() + 6;
}

bool sameColumns(const QList<GridColumn>& a, const QList<GridColumn>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (a[i].field != b[i].field || a[i].caption != b[i].caption || a[i].format != b[i].format
            || a[i].widthTwips != b[i].widthTwips || a[i].room != b[i].room)
            return false;
    return true;
}

} // namespace

struct DataGrid::Impl {
    RecordsetModel model;
    QMetaObject::Connection moved;
    bool syncing = false;   // the grid itself is selecting the current row
    // The user is picking a row with the mouse or the keys: the view scrolls
    // to it itself once the click is over. Scrolling under the pressed
    // button would put the next row beneath the pointer, and the press
    // would highlight that row while the recordset shows the one clicked.
    bool picking = false;
    double columnScale = 1.0;
    // Widths the user gave columns by dragging their edges, by field, as
    // they would be before any rescaling of the grid.
    QHash<QString, double> userWidths;
    bool sizing = false;   // the grid itself is setting a column's width

    int columnWidth(int twips) const { return int(std::lround(px(twips) * columnScale)); }

    // The width the grid gives a column now: the user's, else its own
    // (never less than its ordinary values need), else none (-1).
    int widthOf(const DataGrid* grid, const GridColumn& column) const
    {
        if (const auto user = userWidths.constFind(column.field); user != userWidths.constEnd())
            return int(std::lround(*user * columnScale));
        if (column.widthTwips <= 0)
            return -1;
        int width = columnWidth(column.widthTwips);
        if (!column.room.isEmpty()) {
            const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
            const int need = int(std::ceil(QFontMetricsF(grid->font()).horizontalAdvance(column.room))) + 2 * margin + 2;
            width = qMax(width, need);
        }
        return width;
    }

    // Selects the recordset's current row, in the current column or, for
    // rows just put in, the first.
    void selectRow(DataGrid* grid, bool firstColumn)
    {
        syncing = true;
        Recordset* rs = model.rs.get();
        int row = -1;
        if (rs && rs->isOpen() && !rs->bof() && !rs->eof())
            row = rs->absolutePosition() - 1;
        if (row >= 0 && row < model.rowCount()) {
            const QModelIndex index = model.index(row, firstColumn ? 0 : qMax(0, grid->currentIndex().column()));
            grid->selectionModel()->setCurrentIndex(index,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            if (!picking)
                grid->scrollTo(index);
        } else {
            grid->selectionModel()->clearSelection();
        }
        syncing = false;
    }
};

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent)
    , d(std::make_unique<Impl>())
{
    setModel(&d->model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(rowHeightFor(font()));
    // Captions keep their type whichever row is current: a caption set in
    // bold for the current row would not fit the width given for it.
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    connect(horizontalHeader(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        // Only the user's own drags are kept; a column hidden is not narrowed.
        if (d->sizing || size <= 0 || column >= d->model.columns.size())
            return;
        d->userWidths.insert(d->model.columns[column].field, size / d->columnScale);
    });
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (d->syncing || !current.isValid() || !d->model.rs)
                    return;
                Window::guard([&] {
                    Recordset& rs = *d->model.rs;
                    if (rs.absolutePosition() == current.row() + 1)
                        return;
                    if (!Window::pickAllowed(this) || (beforeRowPick && !beforeRowPick())) {
                        QTimer::singleShot(0, this, [this] { selectCurrentRow(); });
                        return;
                    }
                    const QScopedValueRollback<bool> userPick(d->picking, true);
                    rs.setAbsolutePosition(current.row() + 1);
                    emit rowPicked();
                });
            });
}

DataGrid::~DataGrid() = default;

void DataGrid::setDataSource(std::shared_ptr<Recordset> recordset, const QList<GridColumn>& columns)
{
    QObject::disconnect(d->moved);
    // Columns coming and going, and the widths set below, are the grid's own doing.
    const QScopedValueRollback<bool> sizing(d->sizing, true);
    RecordsetModel& m = d->model;
    Recordset* rs = recordset.get();
    QList<GridColumn> shown = columns;
    if (rs && shown.isEmpty() && rs->isOpen())
        for (int i = 0; i < rs->fieldCount(); ++i)
            shown << GridColumn{rs->fieldName(i), rs->fieldName(i), QString(), 0};
    // A grid that follows a current row takes a new set of the same rows on
    // every move (a chapter, say): when its fields, columns and row count are
    // those shown, the rows are only read again in place. The grid then
    // stands as a reset would leave it, on the current row's first cell.
    const bool sameShape = m.rs && rs && m.fieldsAsIndexed(*rs) && sameColumns(m.columns, shown)
                           && rs->recordCount() == m.rows;
    m.rs = std::move(recordset);
    m.columns = std::move(shown);
    if (rs)
        d->moved = connect(rs, &Recordset::moveComplete, this, [this] { rowShownAgain(); });
    if (!sameShape)
        m.reload();
    else if (m.rows > 0)
        emit m.dataChanged(m.index(0, 0), m.index(m.rows - 1, int(m.columns.size()) - 1));
    for (int c = 0; c < m.columns.size(); ++c) {
        const int width = d->widthOf(this, m.columns[c]);
        if (width > 0 && (isColumnHidden(c) || columnWidth(c) != width))
            setColumnWidth(c, width);
        // A column without a width of its own would keep whatever the
        // column in its place was given before, cutting its caption and
        // values: it takes the width they need instead.
        else if (width <= 0 && !sameShape)
            resizeColumnToContents(c);
    }
    d->selectRow(this, true);
}

std::shared_ptr<Recordset> DataGrid::dataSource() const
{
    return d->model.rs;
}

void DataGrid::scaleColumns(double factor)
{
    if (!(factor > 0))
        return;
    d->columnScale *= factor;
    // A column with a width of its own takes it from that width, so that
    // scaling there and back again leaves it as it was.
    const auto& columns = d->model.columns;
    const QScopedValueRollback<bool> sizing(d->sizing, true);
    QHeaderView* header = horizontalHeader();
    for (int c = 0; c < header->count(); ++c) {
        if (isColumnHidden(c))
            continue;
        const int twips = c < columns.size() ? columns[c].widthTwips : 0;
        setColumnWidth(c, twips > 0 ? d->columnWidth(twips) : int(std::lround(columnWidth(c) * factor)));
    }
}

double DataGrid::columnScale() const
{
    return d->columnScale;
}

void DataGrid::changeEvent(QEvent* e)
{
    QTableView::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        verticalHeader()->setDefaultSectionSize(rowHeightFor(font()));
}

void DataGrid::refresh()
{
    {
        const QScopedValueRollback<bool> sizing(d->sizing, true);
        d->model.reload();
    }
    selectCurrentRow();
}

void DataGrid::rowShownAgain()
{
    // A move, save, delete or requery of the recordset: rows may have come,
    // gone or changed.
    RecordsetModel& m = d->model;
    if (!m.rs)
        return;
    const int count = m.rs->isOpen() ? m.rs->recordCount() : 0;
    if (m.rows != count) {
        const QScopedValueRollback<bool> sizing(d->sizing, true);
        m.reload();
    }
    else if (m.rows > 0)
        emit m.dataChanged(m.index(0, 0), m.index(m.rows - 1, int(m.columns.size()) - 1));
    selectCurrentRow();
}

void DataGrid::selectCurrentRow()
{
    d->selectRow(this, false);
}

} // namespace qv
