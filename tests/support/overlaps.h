#pragma once
// Controls that lie partly on one another: a caption over another caption,
// a button whose edge goes under a bar. A mouse still reaches their centres,
// so the layout check passes them; a reader sees text on text.
#include <QStringList>

class QWidget;

namespace qvtest {

// The shown controls beside `control` (with the same parent) whose
// rectangles meet its own, named with their rectangles.
QStringList overlapsOf(QWidget* control);

} // namespace qvtest
