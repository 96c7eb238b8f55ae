#include "support/line_hands.h"

#include "support/user_hands.h"

namespace qvtest {

void addLineAtEnd(QWidget* box, const QString& line)
{
    if (!clickAt(box))
        return;
    press(Qt::Key_End, Qt::ControlModifier);
    press(Qt::Key_Return);
    typeKeys(line);
}

} // namespace qvtest
