#include "common/window_helpers.h"
#include "platform/forms/window.h"
#include <QGuiApplication>
#include <QScreen>

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

void CenterOnScreen(QWidget* form)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        form->move(area.x() + (area.width() - form->width()) / 2, area.y() + (area.height() - form->height()) / 2);
    }
}

void RemoveCloseCommand(QWidget* form)
{
    if (auto* window = qobject_cast<qv::Window*>(form))
        window->setCloseCommandRemoved(true);
}
