#pragma once
// Typing in a box of several lines as a user adds to a note: a click into
// the box, Ctrl+End to the end of its text, Enter for a new line, the line.
#include <QString>

class QWidget;

namespace qvtest {

void addLineAtEnd(QWidget* box, const QString& line);

} // namespace qvtest
