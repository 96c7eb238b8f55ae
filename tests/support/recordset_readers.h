#pragma once
// Readers for recordsets, shared by the data layer's tests and the salon's.
#include "platform/data/recordset.h"
#include <QStringList>

namespace qvtest {

// The field's values down the rows, as texts; the recordset ends at EOF.
inline QStringList column(qv::Recordset& rs, const QString& field)
{
    QStringList out;
    if (rs.recordCount() == 0)
        return out;
    rs.moveFirst();
    while (!rs.eof()) {
        out << rs.value(field).toString();
        rs.moveNext();
    }
    return out;
}

} // namespace qvtest
