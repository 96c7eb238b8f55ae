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

namespace {

// Sets the list's least width from the choices in the box's present type.
class ListWidth : public QObject {
public:
    explicit ListWidth(QComboBox* combo)
        : QObject(combo)
        , m_combo(combo)
    {
        combo->installEventFilter(this);
        fit();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        if (e->type() == QEvent::FontChange || e->type() == QEvent::Show)
            fit();
        return QObject::eventFilter(watched, e);
    }

private:
    void fit()
    {
        QAbstractItemView* view = m_combo->view();
        const QFontMetrics fm(m_combo->font());
        int widest = 0;
        for (int i = 0; i < m_combo->count(); ++i)
            widest = qMax(widest, fm.horizontalAdvance(m_combo->itemText(i)));
        // The row's margins as the list draws them, its frame and a scroll bar.
        const int margin = 2 * (m_combo->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 2;
        const int frame = 2 * view->frameWidth() + 2 * m_combo->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        view->setMinimumWidth(widest + margin + frame + view->verticalScrollBar()->sizeHint().width());
    }

    QComboBox* m_combo;
};

} // namespace

void WidenListToChoices(QComboBox* combo)
{
    if (combo)
        new ListWidth(combo);
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
