#pragma once
// What a user sees wrong on a window without reading its code: a control
// outside its window or its frame, a button or box that another control
// covers (the mouse cannot reach it), a caption, button text or column
// header cut by its control. Each finding names the window, the control and
// the numbers.
#include <QStringList>

class QWidget;

namespace qvtest {

QStringList layoutFaults(QWidget* window, const QString& windowName);

} // namespace qvtest
