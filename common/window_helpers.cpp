#include "common/window_helpers.h"
#include "platform/forms/window.h"
#include <QGuiApplication>
#include <QMouseEvent>
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

MouseHooks::MouseHooks(QWidget* widget, At down, At move, std::function<void()> up)
    : QObject(widget), m_down(std::move(down)), m_move(std::move(move)), m_up(std::move(up))
{
    widget->installEventFilter(this);
}

bool MouseHooks::eventFilter(QObject* watched, QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        m_down(static_cast<QMouseEvent*>(e)->position().toPoint());
        break;
    case QEvent::MouseMove:
        m_move(static_cast<QMouseEvent*>(e)->position().toPoint());
        break;
    case QEvent::MouseButtonRelease:
        m_up();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, e);
}
