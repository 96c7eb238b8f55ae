#include "common/window_helpers.h"
#include "platform/forms/window.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QGuiApplication>
#include <QScrollBar>
#include <QStyle>
#include <QMouseEvent>
#include <QScreen>
#include <memory>

void makeTopMost(QWidget* form)
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

void centerOnScreen(QWidget* form)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        form->move(area.x() + (area.width() - form->width()) / 2, area.y() + (area.height() - form->height()) / 2);
    }
}

void removeCloseCommand(QWidget* form)
{
    if (auto* window = qobject_cast<qv::Window*>(form))
        window->setCloseCommandRemoved(true);
}

EventHook::EventHook(QObject* watched, QList<QEvent::Type> types, std::function<void()> run)
    : QObject(watched), m_types(std::move(types)), m_run(std::move(run))
{
    watched->installEventFilter(this);
}

bool EventHook::eventFilter(QObject* watched, QEvent* e)
{
    if (m_types.contains(e->type()))
        m_run();
    return QObject::eventFilter(watched, e);
}

void WidenListToChoices(QComboBox* combo)
{
    if (!combo)
        return;
    // The list's least width, from the choices in the box's present type.
    const auto fit = [combo] {
        QAbstractItemView* view = combo->view();
        const QFontMetrics fm(combo->font());
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i)
            widest = qMax(widest, fm.horizontalAdvance(combo->itemText(i)));
        // The row's margins as the list draws them, its frame and a scroll bar.
        const int margin = 2 * (combo->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 2;
        const int frame = 2 * view->frameWidth() + 2 * combo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        view->setMinimumWidth(widest + margin + frame + view->verticalScrollBar()->sizeHint().width());
    };
    new EventHook(combo, {QEvent::FontChange, QEvent::Show}, fit);
    fit();
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

void moveByLabel(QWidget* label, QWidget* window)
{
    struct Drag {
        bool held = false;
        QPoint from;
    };
    auto drag = std::make_shared<Drag>();
    new MouseHooks(
        label,
        [drag](const QPoint& at) {
            drag->held = true;
            drag->from = at;
        },
        [drag, window](const QPoint& at) {
            if (drag->held)
                window->move(window->x() + at.x() - drag->from.x(), window->y() + at.y() - drag->from.y());
        },
        [drag] { drag->held = false; });
}
