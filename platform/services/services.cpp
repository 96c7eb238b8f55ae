#include "platform/services/services.h"
#include "platform/services/qt_ui.h"
#include <QApplication>
#include <QEvent>

namespace qv {

namespace {
UiServices* g_current = nullptr;

UiServices& qtServices()
{
    static QtUi services;
    return services;
}
} // namespace

UiServices& ui()
{
    return g_current ? *g_current : qtServices();
}

void setUi(UiServices* services)
{
    g_current = services;
}

// --- which window a box belongs to ----------------------------------------

namespace {

struct OwnerTracking {
    QList<QPointer<QWidget>> scopes;   // innermost last
    // The windows the user pressed something in, the latest last: when the
    // latest has closed itself (a login that failed), its box belongs to the
    // window the user came from.
    QList<QPointer<QWidget>> acted;
    QPointer<QObject> follower;

    void actedIn(QWidget* window)
    {
        if (!acted.isEmpty() && acted.constLast() == window)
            return;
        acted.removeIf([window](const QPointer<QWidget>& w) { return w.isNull() || w == window; });
        acted.append(QPointer<QWidget>(window));
        if (acted.size() > 16)
            acted.removeFirst();
    }
};

OwnerTracking& tracking()
{
    static OwnerTracking t;
    return t;
}

// The program's window a widget belongs to: a dropped-down list or a tip
// belongs to the window of the control that opened it.
QWidget* programWindowOf(QWidget* widget)
{
    QWidget* top = widget ? widget->window() : nullptr;
    while (top && (top->windowType() == Qt::Popup || top->windowType() == Qt::ToolTip) && top->parentWidget())
        top = top->parentWidget()->window();
    return top;
}

bool onScreen(const QWidget* window)
{
    return window && window->isVisible();
}

// Sees every key and mouse button before its widget does. The window
// manager makes a window active only some time after the box that covered it
// has closed, so the active window cannot say who raised the next box; the
// window the user last pressed something in can.
class InputFollower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::Shortcut:
            if (watched->isWidgetType())
                if (QWidget* window = programWindowOf(static_cast<QWidget*>(watched)))
                    tracking().actedIn(window);
            break;
        default:
            break;
        }
        return false;
    }
};

} // namespace

void followUserInput()
{
    OwnerTracking& t = tracking();
    if (t.follower || !QCoreApplication::instance())
        return;
    t.follower = new InputFollower(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(t.follower);
}

void boxAnswered(QWidget* owner)
{
    if (owner)
        tracking().actedIn(owner);
}

DialogOwnerScope::DialogOwnerScope(QWidget* window)
{
    tracking().scopes.append(QPointer<QWidget>(window));
}

DialogOwnerScope::~DialogOwnerScope()
{
    tracking().scopes.removeLast();
}

DialogPlacement dialogPlacement()
{
    followUserInput();
    OwnerTracking& t = tracking();
    DialogPlacement placement;
    // A window loading hidden cannot hold a box: the window whose handler
    // loaded it does.
    for (qsizetype i = t.scopes.size() - 1; i >= 0 && !placement.owner; --i)
        if (QWidget* window = programWindowOf(t.scopes.at(i)); onScreen(window))
            placement.owner = window;
    for (qsizetype i = t.acted.size() - 1; i >= 0 && !placement.owner; --i)
        if (onScreen(t.acted.at(i)))
            placement.owner = t.acted.at(i);
    if (!placement.owner && qobject_cast<QApplication*>(QCoreApplication::instance())) {
        QWidget* active = QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                                            : QApplication::activeWindow();
        if (QWidget* window = programWindowOf(active); onScreen(window))
            placement.owner = window;
    }
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip
                && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint)) {
                placement.onTop = true;
                break;
            }
        }
    }
    return placement;
}

// --- message-box buttons ---------------------------------------------------

QList<int> msgBoxButtons(int style)
{
    using namespace MsgResult;
    switch (style & 7) {
    case MsgStyle::OkCancel: return {Ok, Cancel};
    case MsgStyle::AbortRetryIgnore: return {Abort, Retry, Ignore};
    case MsgStyle::YesNoCancel: return {Yes, No, Cancel};
    case MsgStyle::YesNo: return {Yes, No};
    case MsgStyle::RetryCancel: return {Retry, Cancel};
    default: return {Ok};
    }
}

int msgBoxDefaultButton(int style)
{
    const QList<int> buttons = msgBoxButtons(style);
    int index = 0;
    if ((style & 0xF00) == MsgStyle::DefaultButton2)
        index = 1;
    else if ((style & 0xF00) == MsgStyle::DefaultButton3)
        index = 2;
    // A default named beyond the box's buttons (the delete questions' OK and
    // Cancel with "default button 3") falls on the last one: Enter must not
    // answer OK to a question the user has not read.
    return buttons.value(index, buttons.last());
}

int msgBoxFirstButton(int style)
{
    return msgBoxButtons(style).first();
}

// --- scripted -------------------------------------------------------------

namespace {
// The next queued answer, or the fallback when none is left.
template <typename T>
T takeFront(std::deque<T>& queue, T fallback)
{
    if (queue.empty())
        return fallback;
    T answer = std::move(queue.front());
    queue.pop_front();
    return answer;
}
// Where a real box would have come up, for the test to check.
void placeLikeABox(UiEvent& e)
{
    const DialogPlacement placement = dialogPlacement();
    e.owner = placement.owner;
    e.onTop = placement.onTop;
}
} // namespace

int ScriptedUi::msgBox(const QString& text, int style, const QString& title)
{
    UiEvent e{UiEvent::Message, text, style, title, {}, 0};
    placeLikeABox(e);
    events.push_back(e);
    const int answer = takeFront(msgAnswers, msgBoxFirstButton(style));
    if (afterAnswer)
        afterAnswer();
    return answer;
}

QString ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    UiEvent e{UiEvent::Input, prompt, 0, title, {}, 0};
    if (!defaultText.isEmpty())
        e.arguments << defaultText;
    placeLikeABox(e);
    events.push_back(e);
    QString answer = takeFront(inputAnswers, QString());
    if (afterAnswer)
        afterAnswer();
    return answer;
}

QString ScriptedUi::openFileDialog(const QString& title, const QString& filter, const QString& folder)
{
    events.push_back({UiEvent::OpenFile, title, 0, title, {filter, folder}, 0});
    return takeFront(fileAnswers, QString());
}

bool ScriptedUi::printerDialog(QPrinter*)
{
    UiEvent e{UiEvent::PrinterDialog, QStringLiteral("Print"), 0, QStringLiteral("Print"), {}, 0};
    placeLikeABox(e);
    events.push_back(e);
    return takeFront(printerAnswers, true);
}

void ScriptedUi::beep()
{
    events.push_back({UiEvent::Beep, QString(), 0, QString(), {}, 0});
}

void ScriptedUi::pause(int milliseconds)
{
    events.push_back({UiEvent::Pause, QString(), 0, QString(), {}, milliseconds});
}

bool ScriptedUi::launch(const QString& program, const QStringList& arguments)
{
    events.push_back({UiEvent::Launch, program, 0, QString(), arguments, 0});
    return launchSucceeds;
}

QStringList ScriptedUi::messages() const
{
    QStringList out;
    for (const UiEvent& e : events)
        if (e.kind == UiEvent::Message)
            out << e.text;
    return out;
}

int ScriptedUi::beeps() const
{
    int n = 0;
    for (const UiEvent& e : events)
        if (e.kind == UiEvent::Beep)
            ++n;
    return n;
}

} // namespace qv
