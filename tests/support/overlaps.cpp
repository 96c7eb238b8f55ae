#include "support/overlaps.h"

#include "support/user_hands.h"

#include <QWidget>

namespace qvtest {

QStringList overlapsOf(QWidget* control)
{
    QStringList out;
    QWidget* parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return out;
    const QRect mine = control->geometry();
    for (QObject* o : parent->children()) {
        auto* other = qobject_cast<QWidget*>(o);
        if (!other || other == control || other->isWindow() || !other->isVisibleTo(parent) || other->size().isEmpty())
            continue;
        const QRect r = other->geometry();
        if (r.intersects(mine))
            out << QStringLiteral("%1 at %2,%3 size %4x%5 meets %6 at %7,%8 size %9x%10")
                       .arg(describe(other)).arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
                       .arg(describe(control)).arg(mine.x()).arg(mine.y()).arg(mine.width()).arg(mine.height());
    }
    return out;
}

} // namespace qvtest
