#pragma once
// Reading the rows of a recordset for lists and grids, in place: the
// recordset's current row, its notifications and the boxes bound to it are
// left as they were.
#include "platform/data/recordset.h"
#include <QList>
#include <QStringList>

namespace qv {

// Each row's fields, shown in their formats (an empty format: general).
// A field the recordset lacks reads empty.
QList<QStringList> readRows(const Recordset& rs, const QStringList& fields, const QStringList& formats = {});

} // namespace qv
