#pragma once
// Reading the rows of a recordset for lists and grids, without showing them:
// the recordset's current row, its notifications and the boxes bound to it
// are left as they were.
#include "platform/data/recordset.h"
#include <QList>
#include <QStringList>

namespace qv {

// Each row's fields, shown in their formats (an empty format: general).
// A field the recordset lacks reads empty. Only when canReadRows().
QList<QStringList> readRows(Recordset& rs, const QStringList& fields, const QStringList& formats = {});

// Whether the rows can be read now without disturbing the recordset: not
// while a row is being added or edited, unless rows are read in place.
bool canReadRows(const Recordset& rs);

// Whether rows can be read in place, by row number, without moving.
bool hasDirectRowAccess();
// The value of a field (by index) of row `row` (0-based, in the recordset's
// order); only when hasDirectRowAccess().
QVariant valueAt(const Recordset& rs, int row, int field);

} // namespace qv
