#pragma once
// Services windows use on themselves from their formLoad: staying above
// other windows, losing the title bar's Close command, standing in the
// middle of the screen, moving by a label held down.
#include <QEvent>
#include <QList>
#include <QObject>
#include <QPoint>
#include <functional>

class QComboBox;
class QWidget;

// Keeps the window above all windows that are not kept on top. Nothing is
// reported; a window that cannot be raised stays as it was.
void makeTopMost(QWidget* form);

// The title bar can no longer close the window and Alt+F4 does nothing; the
// window's own buttons (and the program) still unload it.
void removeCloseCommand(QWidget* form);

// Moves the window to the middle of the primary screen (where there is one).
void centerOnScreen(QWidget* form);

// Runs `run` whenever the widget receives one of the events (after the
// widget has seen it). The widget owns the hook.
class EventHook : public QObject {
public:
    EventHook(QObject* watched, QList<QEvent::Type> types, std::function<void()> run);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    QList<QEvent::Type> m_types;
    std::function<void()> m_run;
};

// The list a drop-down opens is as wide as its longest choice, also after
// the window has rescaled its type; the box itself keeps its width.
void WidenListToChoices(QComboBox* combo);

// Hands a widget's mouse presses, moves and releases (any button; positions
// in the widget's own coordinates) to its window's handlers. The widget owns
// the hooks.
class MouseHooks : public QObject {
public:
    using At = std::function<void(const QPoint&)>;
    MouseHooks(QWidget* widget, At down, At move, std::function<void()> up);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    At m_down, m_move;
    std::function<void()> m_up;
};

// While the mouse is held on the label, the window follows it.
void moveByLabel(QWidget* label, QWidget* window);
