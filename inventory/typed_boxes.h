#pragma once
// Small checks the inventory's record windows share.
//
// A record added with nothing typed into any of its boxes is no record:
// the windows that add rows refuse to save it, as the database would a row
// without a single value.
#include "platform/forms/controls.h"
#include "platform/data/recordset.h"
#include <QMap>
#include <memory>

inline bool nothingTyped(const QMap<int, qv::TextBox*>& boxes)
{
    for (const qv::TextBox* box : boxes)
        if (box && !box->text().trimmed().isEmpty())
            return false;
    return true;
}

// True when the recordset stands on a row that can be read: not before the
// first, not after the last, and not one deleted since the last move.
inline bool onReadableRow(const std::shared_ptr<qv::Recordset>& rs)
{
    try {
        if (!rs || !rs->isOpen() || rs->bof() || rs->eof())
            return false;
        rs->value(0);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}
