#include "common/window_helpers.h"
#include "platform/forms/window.h"

void MakeTopMost(QWidget* form)
{
    if (!form)
        return;
    if (auto* window = qobject_cast<qv::Window*>(form)) {
        window->setTopMost(true);
        return;
    }
    const bool wasVisible = form->isVisible();
    form->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (wasVisible)
        form->show();
}

void RemoveCloseCommand(QWidget* form)
{
    if (auto* window = qobject_cast<qv::Window*>(form))
        window->setCloseCommandRemoved(true);
}
