#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/values/convert.h"
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTimer>

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
        if (rs && rs->isOpen()) {
            for (const GridColumn& c : std::as_const(columns))
                fieldIndexes << rs->fieldIndex(c.field);
            rows = rs->recordCount();
        }
        endResetModel();
    }
};

} // namespace

struct DataGrid::Impl {
    RecordsetModel model;
    QMetaObject::Connection moved;
    bool syncing = false;   // the grid itself is selecting the current row
};

DataGrid::DataGrid(QWidget* parent)
    : QTableView(parent)
    , d(std::make_unique<Impl>())
{
    setModel(&d->model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current, const QModelIndex&) {
                if (d->syncing || !current.isValid() || !d->model.rs)
                    return;
                Window::guard([&] {
                    Recordset& rs = *d->model.rs;
                    if (rs.absolutePosition() == current.row() + 1)
                        return;
                    if (beforeRowPick && !beforeRowPick()) {
                        QTimer::singleShot(0, this, [this] { selectCurrentRow(); });
                        return;
                    }
                    rs.setAbsolutePosition(current.row() + 1);
                    emit rowPicked();
                });
            });
}

DataGrid::~DataGrid() = default;

void DataGrid::setDataSource(std::shared_ptr<Recordset> recordset, const QList<GridColumn>& columns)
{
    QObject::disconnect(d->moved);
    d->model.rs = std::move(recordset);
    d->model.columns = columns;
    Recordset* rs = d->model.rs.get();
    if (rs && d->model.columns.isEmpty() && rs->isOpen())
        for (int i = 0; i < rs->fieldCount(); ++i)
            d->model.columns << GridColumn{rs->fieldName(i), rs->fieldName(i), QString(), 0};
    if (rs)
        d->moved = connect(rs, &Recordset::moveComplete, this, [this] { rowShownAgain(); });
    d->model.reload();
    for (int c = 0; c < d->model.columns.size(); ++c)
        if (d->model.columns[c].widthTwips > 0)
            setColumnWidth(c, px(d->model.columns[c].widthTwips));
    selectCurrentRow();
}

std::shared_ptr<Recordset> DataGrid::dataSource() const
{
    return d->model.rs;
}

void DataGrid::refresh()
{
    d->model.reload();
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
    if (m.rows != count)
        m.reload();
    else if (m.rows > 0)
        emit m.dataChanged(m.index(0, 0), m.index(m.rows - 1, int(m.columns.size()) - 1));
    selectCurrentRow();
}

void DataGrid::selectCurrentRow()
{
    d->syncing = true;
    Recordset* rs = d->model.rs.get();
    int row = -1;
    if (rs && rs->isOpen() && !rs->bof() && !rs->eof())
        row = rs->absolutePosition() - 1;
    if (row >= 0 && row < d->model.rowCount()) {
        const QModelIndex index = d->model.index(row, qMax(0, currentIndex().column()));
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollTo(index);
    } else {
        selectionModel()->clearSelection();
    }
    d->syncing = false;
}

} // namespace qv
