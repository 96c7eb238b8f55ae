#pragma once
// The hands of the person at the keyboard. A click goes to the top-level
// window at the control's centre, so Qt's own hit test decides which widget
// takes it and the focus moves as it does for a mouse; keys go to whatever
// holds the focus. A control that another widget covers cannot be clicked:
// the click fails the test and names the widget that lies there.
#include <QPoint>
#include <QString>
#include <Qt>

class QComboBox;
class QDate;
class QWidget;
namespace qv { class MonthCalendar; }

namespace qvtest {

// The widget a mouse at the control's centre would reach, or null when the
// centre lies outside its window. Used by the layout check as well.
QWidget* widgetAtCentreOf(QWidget* control);
// True when `hit` is the control or lies inside it (a combo's edit, a grid's
// viewport).
bool isPartOf(QWidget* hit, QWidget* control);
// "Form3/Command9 (QPushButton)": how a failure names a widget.
QString describe(const QWidget* widget);

// Clicks the control at its centre (or at `at`, in the control's own
// coordinates) through its window. Fails the running test, naming what lies
// there, when the control is hidden, disabled or covered; returns whether
// the click reached it.
bool clickAt(QWidget* control);
bool clickAt(QWidget* control, QPoint at);
bool doubleClickAt(QWidget* control, QPoint at);

// Types the text, key by key, into the widget that has the focus; a line
// break is typed as Enter.
void typeKeys(const QString& text);
// Presses one key (Enter, Esc, Tab, Home, ...) in the widget with the focus.
void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Clicks into a box, selects what it holds (Ctrl+A, or with the mouse where
// the box swallows that) and types over it, as a user replacing a value does
// (an empty text just clears it).
bool typeInto(QWidget* box, const QString& text);

// Drops the list down with a click on its arrow and clicks the choice in
// it; false (with the test failed) when that cannot be done.
bool pick(QComboBox* list, const QString& choice);

// Clicks the day's cell on a month calendar (the calendar turns to its
// month first).
bool clickDay(qv::MonthCalendar* calendar, const QDate& day);

// The widget with the keyboard focus (null when none).
QWidget* focused();

// Answers the next real dialog (a QMessageBox of the Qt services, not the
// scripted ones) with a key pressed where its focus is, as the person at the
// keyboard would; its text goes to `shown` when given.
void answerNextDialogWith(Qt::Key key, QString* shown = nullptr);

// At the end of a test: a record left being added or edited is dropped (by
// its window's Cancel, or No when its window asks), so that no window stays
// to ask about it; then every window is unloaded.
void unloadEveryWindow();

} // namespace qvtest
