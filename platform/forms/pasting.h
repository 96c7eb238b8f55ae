#pragma once
// What a box of several lines may paste. Qt 6.4's text boxes read the first
// format of what the clipboard offers without asking whether there is one,
// and a clipboard with nothing copied offers none: such a paste would bring
// the program down. Our boxes hand Qt only what names at least one format.
#include <QMimeData>

namespace qv {

inline bool offersSomethingToPaste(const QMimeData* source)
{
    return source && !source->formats().isEmpty();
}

} // namespace qv
