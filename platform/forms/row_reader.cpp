#include "platform/forms/row_reader.h"
#include "platform/values/convert.h"

namespace qv {

QList<QStringList> readRows(const Recordset& rs, const QStringList& fields, const QStringList& formats)
{
    QList<QStringList> rows;
    if (!rs.isOpen())
        return rows;
    QList<int> indexes;
    for (const QString& field : fields)
        indexes << rs.fieldIndex(field);
    const int count = rs.recordCount();
    rows.reserve(count);
    for (int r = 0; r < count; ++r) {
        QStringList row;
        for (int i = 0; i < indexes.size(); ++i)
            row << (indexes[i] < 0 ? QString() : formatValue(rs.valueAt(r, indexes[i]), formats.value(i)));
        rows << row;
    }
    return rows;
}

} // namespace qv
