#include "platform/forms/row_reader.h"
#include "platform/values/convert.h"
#include <QSignalBlocker>
#include <optional>

namespace qv {

namespace {

template <class R>
concept RandomAccessRows = requires(const R& r) { { r.valueAt(0, 0) } -> std::convertible_to<QVariant>; };

template <class R>
QList<QStringList> readRowsOf(R& rs, const QStringList& fields, const QStringList& formats)
{
    QList<QStringList> rows;
    if (!rs.isOpen())
        return rows;
    QList<int> indexes;
    for (const QString& field : fields)
        indexes << rs.fieldIndex(field);
    auto rowOf = [&](auto&& valueOf) {
        QStringList row;
        for (int i = 0; i < indexes.size(); ++i)
            row << (indexes[i] < 0 ? QString() : formatValue(valueOf(indexes[i]), formats.value(i)));
        return row;
    };

    if constexpr (RandomAccessRows<R>) {
        const int count = rs.recordCount();
        rows.reserve(count);
        for (int r = 0; r < count; ++r)
            rows << rowOf([&](int field) { return rs.valueAt(r, field); });
        return rows;
    } else {
        // Walk the rows with the notifications held back, then return to
        // where the recordset stood.
        if (rs.bof() && rs.eof())
            return rows;
        // Moving would save the row being added or edited.
        if (rs.editMode() != EditMode::None)
            return rows;
        const QSignalBlocker quiet(&rs);
        std::optional<double> bookmark;
        const bool atBof = rs.bof(), atEof = rs.eof();
        if (!atBof && !atEof)
            bookmark = rs.bookmark();
        rs.moveFirst();
        while (!rs.eof()) {
            rows << rowOf([&](int field) { return rs.value(field); });
            rs.moveNext();
        }
        if (bookmark) {
            rs.setBookmark(*bookmark);
        } else if (atBof) {
            rs.moveFirst();
            rs.movePrevious();
        }
        return rows;
    }
}

template <class R>
QVariant valueAtOf(const R& rs, int row, int field)
{
    if constexpr (RandomAccessRows<R>)
        return rs.valueAt(row, field);
    else
        return QVariant();
}

} // namespace

bool canReadRows(const Recordset& rs)
{
    return hasDirectRowAccess() || rs.editMode() == EditMode::None;
}

bool hasDirectRowAccess()
{
    return RandomAccessRows<Recordset>;
}

QVariant valueAt(const Recordset& rs, int row, int field)
{
    return valueAtOf(rs, row, field);
}

QList<QStringList> readRows(Recordset& rs, const QStringList& fields, const QStringList& formats)
{
    return readRowsOf(rs, fields, formats);
}

} // namespace qv
