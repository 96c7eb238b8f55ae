#pragma once
// Small checks the inventory's record windows share.
//
// A record added with nothing typed into any of its boxes is no record:
// the windows that add rows refuse to save it, as the database would a row
// without a single value.
#include "platform/forms/controls.h"
#include <QMap>

inline bool nothingTyped(const QMap<int, qv::TextBox*>& boxes)
{
    for (const qv::TextBox* box : boxes)
        if (box && !box->text().trimmed().isEmpty())
            return false;
    return true;
}
