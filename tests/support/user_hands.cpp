#include "support/user_hands.h"

#include "platform/forms/controls.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace qvtest {

namespace {

void flush()
{
    QApplication::processEvents();
}

// Where the centre (or `at`) of the control lies in its top-level window.
QPoint inWindow(QWidget* control, QPoint at)
{
    return control->mapTo(control->window(), at);
}

bool reachable(QWidget* control, QPoint at, const char* what)
{
    if (!control) {
        ADD_FAILURE() << what << ": no control";
        return false;
    }
    if (!control->isVisible()) {
        ADD_FAILURE() << what << ": " << describe(control).toStdString() << " is not shown";
        return false;
    }
    if (!control->isEnabled()) {
        ADD_FAILURE() << what << ": " << describe(control).toStdString() << " is disabled";
        return false;
    }
    QWidget* top = control->window();
    const QPoint p = inWindow(control, at);
    if (!top->rect().contains(p)) {
        ADD_FAILURE() << what << ": " << describe(control).toStdString() << " at (" << p.x() << "," << p.y()
                      << ") lies outside its window " << top->width() << "x" << top->height();
        return false;
    }
    QWidget* hit = top->childAt(p);
    if (!hit)
        hit = top;
    if (!isPartOf(hit, control)) {
        ADD_FAILURE() << what << ": " << describe(control).toStdString() << " is covered at (" << p.x() << ","
                      << p.y() << ") by " << describe(hit).toStdString();
        return false;
    }
    if (!top->windowHandle()) {
        ADD_FAILURE() << what << ": the window of " << describe(control).toStdString() << " is not shown";
        return false;
    }
    return true;
}

} // namespace

QString describe(const QWidget* widget)
{
    if (!widget)
        return QStringLiteral("nothing");
    QString name = widget->objectName().isEmpty() ? QStringLiteral("(unnamed)") : widget->objectName();
    QString path = name;
    // The nearest named ancestor says where an unnamed part belongs.
    for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
        if (!up->objectName().isEmpty()) {
            path = up->objectName() + QLatin1Char('/') + path;
            if (up->isWindow())
                break;
        }
    }
    return path + QStringLiteral(" (") + QString::fromLatin1(widget->metaObject()->className()) + QLatin1Char(')');
}

bool isPartOf(QWidget* hit, QWidget* control)
{
    for (QWidget* w = hit; w; w = w->parentWidget()) {
        if (w == control)
            return true;
        if (w->isWindow())
            break;
    }
    return false;
}

QWidget* widgetAtCentreOf(QWidget* control)
{
    QWidget* top = control->window();
    const QPoint p = inWindow(control, control->rect().center());
    if (!top->rect().contains(p))
        return nullptr;
    QWidget* hit = top->childAt(p);
    return hit ? hit : top;
}

bool clickAt(QWidget* control)
{
    return control ? clickAt(control, control->rect().center()) : clickAt(control, QPoint());
}

// A click into a window that is not the active one makes it active first,
// as the window system does; the keys then go to it.
static void activate(QWidget* top)
{
    // At once, without running queued work ahead of the click.
    if (QApplication::activeWindow() != top)
        QApplication::setActiveWindow(top);
}

bool clickAt(QWidget* control, QPoint at)
{
    if (!reachable(control, at, "click"))
        return false;
    QWidget* top = control->window();
    activate(top);
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow(control, at));
    flush();
    return true;
}

bool doubleClickAt(QWidget* control, QPoint at)
{
    if (!reachable(control, at, "double-click"))
        return false;
    activate(control->window());
    QWindow* handle = control->window()->windowHandle();
    const QPoint p = inWindow(control, at);
    QTest::mouseClick(handle, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseDClick(handle, Qt::LeftButton, Qt::NoModifier, p);
    flush();
    return true;
}

QWidget* focused()
{
    return QApplication::focusWidget();
}

void typeKeys(const QString& text)
{
    for (const QChar c : text) {
        QWidget* target = focused();
        if (!target) {
            ADD_FAILURE() << "typing \"" << text.toStdString() << "\": no widget has the focus";
            return;
        }
        // A line break is the Enter key.
        if (c == QLatin1Char('\n'))
            QTest::keyClick(target, Qt::Key_Return);
        else if (c.unicode() > 0x7f)
            // A letter with no key of its own on the test's keyboard ("é")
            // arrives as its text, as an input method gives it.
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        else
            QTest::keyClicks(target, QString(c));
    }
    flush();
}

void press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = focused();
    if (!target) {
        ADD_FAILURE() << "key " << key << ": no widget has the focus";
        return;
    }
    QTest::keyClick(target, key, modifiers);
    flush();
}

bool typeInto(QWidget* box, const QString& text)
{
    if (!clickAt(box))
        return false;
    // A drop-down's own text box types for it: the click leaves the focus
    // on the drop-down.
    if (focused() != box && !isPartOf(focused(), box) && !isPartOf(box, focused())) {
        ADD_FAILURE() << "typing into " << describe(box).toStdString() << ": the click left the focus on "
                      << describe(focused()).toStdString();
        return false;
    }
    press(Qt::Key_A, Qt::ControlModifier);
    // A box that lets only some characters through swallows Ctrl+A: its
    // text is selected with the mouse instead, from its start to its end.
    auto* line = qobject_cast<QLineEdit*>(focused());
    if (line && line->selectedText() != line->text()) {
        QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(1, line->height() / 2));
        QTest::mouseClick(line, Qt::LeftButton, Qt::ShiftModifier, QPoint(line->width() - 2, line->height() / 2));
        flush();
    }
    if (text.isEmpty())
        press(Qt::Key_Backspace);
    else
        typeKeys(text);
    return true;
}

void answerNextDialogWith(Qt::Key key, QString* shown)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, key, shown] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        if (shown)
            if (auto* box = qobject_cast<QMessageBox*>(dialog))
                *shown = box->text();
        QWidget* target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QTest::keyClick(target, key);
    });
    timer->start();
}

bool pick(QComboBox* list, const QString& choice)
{
    if (!list) {
        ADD_FAILURE() << "pick \"" << choice.toStdString() << "\": no list";
        return false;
    }
    const int row = list->findText(choice);
    if (row < 0) {
        ADD_FAILURE() << describe(list).toStdString() << " offers no \"" << choice.toStdString() << "\"";
        return false;
    }
    // The arrow at the right end drops the list down.
    if (!clickAt(list, QPoint(list->width() - 6, list->height() / 2)))
        return false;
    QAbstractItemView* view = list->view();
    if (!view->isVisible()) {
        ADD_FAILURE() << describe(list).toStdString() << " did not drop its list down";
        return false;
    }
    // A release too soon after the list dropped down counts as the end of
    // the click that opened it.
    QTest::qWait(QApplication::doubleClickInterval() + 20);
    const QModelIndex index = view->model()->index(row, list->modelColumn());
    view->scrollTo(index);
    flush();
    const QPoint at = view->visualRect(index).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    flush();
    return list->currentIndex() == row;
}

bool clickDay(qv::MonthCalendar* calendar, const QDate& day)
{
    if (!calendar) {
        ADD_FAILURE() << "click a day: no calendar";
        return false;
    }
    calendar->setCurrentPage(day.year(), day.month());
    auto* view = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    if (!view) {
        ADD_FAILURE() << describe(calendar).toStdString() << " shows no days";
        return false;
    }
    // Row 0 holds the names of the days; the weeks follow.
    const int shown = int(calendar->firstShownDay().daysTo(day));
    const QRect cell = view->visualRect(view->model()->index(1 + shown / 7, shown % 7));
    return clickAt(view->viewport(), cell.center());
}

void unloadEveryWindow()
{
    for (qv::Window* w : qv::Windows::all()) {
        auto* cancel = w->findChild<QAbstractButton*>(QStringLiteral("cmdCancel"));
        if (cancel && cancel->isVisibleTo(w) && cancel->isEnabled())
            cancel->click();
    }
    // One the Cancel button cannot reach (the service list locked while
    // adding) asks as it closes: answered No.
    auto* script = dynamic_cast<qv::ScriptedUi*>(&qv::ui());
    for (qv::Window* w : qv::Windows::all()) {
        const std::size_t queued = script ? script->msgAnswers.size() : 0;
        if (script)
            script->msgAnswers.push_front(qv::MsgResult::No);
        w->unload();
        if (script && script->msgAnswers.size() > queued)
            script->msgAnswers.pop_front();
    }
}

} // namespace qvtest
