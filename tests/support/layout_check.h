#pragma once
// What a user sees wrong on a window without reading its code: a control
// outside its window or its frame, a button or box that another control
// covers (the mouse cannot reach it, or its edge is lost under another), a
// caption, button text, column header, grid value or list row cut by its
// control, grid columns seen only by scrolling sideways though they would
// fit across the window, text that another control lies on, framed panels
// running into each other or off the window, a box of lines with a scroll
// bar it does not need, type too small to read. Each finding names the window, the control
// and the numbers.
#include <QStringList>

class QWidget;

namespace qvtest {

struct LayoutChecks {
    // Type smaller than 8 points is a fault of the window's design; a
    // window that scales its type with its size shows smaller type when the
    // user makes it smaller, as it should.
    bool typeSize = true;
};

QStringList layoutFaults(QWidget* window, const QString& windowName, const LayoutChecks& checks = LayoutChecks());

} // namespace qvtest
