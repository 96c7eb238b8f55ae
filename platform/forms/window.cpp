#include "platform/forms/window.h"
#include "platform/services/services.h"
#include "platform/values/error.h"
#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QHideEvent>
#include <QHash>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopeGuard>
#include <QTextEdit>
#include <QThread>
#include <QTimer>
#include <QWindow>

namespace qv {

void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

int shiftOf(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier)
        shift |= ShiftState::Shift;
    if (modifiers & Qt::ControlModifier)
        shift |= ShiftState::Ctrl;
    if (modifiers & Qt::AltModifier)
        shift |= ShiftState::Alt;
    return shift;
}

int keyAsciiOf(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || event->key() == Qt::Key_Delete)
        return 0;
    return text.at(0).unicode();
}

int keyCodeOf(const QKeyEvent* event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;                                   // 65-90
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? 96 + (key - Qt::Key_0) : key; // 48-57, keypad 96-105
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 112 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Backspace: return Key::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return Key::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Return;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return Key::Escape;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_PageUp: return Key::PageUp;
    case Qt::Key_PageDown: return Key::PageDown;
    case Qt::Key_End: return Key::End;
    case Qt::Key_Home: return Key::Home;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return Key::Delete;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    case Qt::Key_Asterisk: return keypad ? 106 : 56;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Period: return keypad ? 110 : 190;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Greater: return 190;
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: return 0;
    }
}

// --- the registry ---------------------------------------------------------

namespace {

struct Registry {
    QHash<QString, Windows::Factory> factories;
    // The name each window class is known by (its class name unless it was
    // registered under another).
    QHash<QString, QString> nameOfClass;
    QHash<QString, QPointer<Window>> loaded;
    std::function<void()> onLastClosed;
    bool checkPending = false;
    bool userClosed = false;
    // Unload handlers under way: one may be showing a message (a refused
    // save) whose event loop runs the end check meanwhile.
    int unloadsRunning = 0;
    bool checkAfterUnload = false;
};

Registry& registry()
{
    static Registry r;
    return r;
}

void defaultLastClosed()
{
    // Only a running program ends; a test driving windows without an event
    // loop must not be left with a pending exit.
    if (QCoreApplication::instance() && QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
}

bool anyVisible()
{
    for (const QPointer<Window>& w : std::as_const(registry().loaded))
        if (w && !w->isUnloading() && w->isVisible())
            return true;
    return false;
}

// Runs after the handler that unloaded or closed a window has finished, so
// that "unload me, then show the next one" does not end the program between
// the two steps.
void scheduleEndCheck(bool userClose)
{
    Registry& r = registry();
    r.userClosed = r.userClosed || userClose;
    if (r.checkPending)
        return;
    r.checkPending = true;
    QTimer::singleShot(0, [] {
        Registry& reg = registry();
        reg.checkPending = false;
        // The window being unloaded may yet stay (its handler refuses): the
        // program must not end while it says why. Checked again after it.
        if (reg.unloadsRunning > 0) {
            reg.checkAfterUnload = true;
            return;
        }
        const bool userClosed = reg.userClosed;
        reg.userClosed = false;
        const bool end = Windows::all().isEmpty() || (userClosed && !anyVisible());
        if (!end)
            return;
        if (reg.onLastClosed)
            reg.onLastClosed();
        else
            defaultLastClosed();
    });
}

} // namespace

struct Window::Impl {
    QString name;
    bool loaded = false;
    bool unloading = false;
    bool closeRemoved = false;
    bool keyPreview = false;
    bool replaying = false;
    // The key event seen last and where, so that its propagation to the
    // parents of its first receiver is not taken for a new key.
    const QEvent* lastKey = nullptr;
    QPointer<QObject> lastKeyReceiver;
    // The control of the key being previewed, while the handlers run.
    QPointer<QWidget> keyReceiver;
};

Window::Window(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , d(new Impl)
{
    // The registry alone decides when the program ends (a hidden window
    // still counts as loaded).
    QGuiApplication::setQuitOnLastWindowClosed(false);
    followUserInput();
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

Window::~Window()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    Registry& r = registry();
    auto it = r.loaded.find(windowName());
    if (it != r.loaded.end() && (it.value() == this || it.value().isNull()))
        r.loaded.erase(it);
    delete d;
}

QString Window::windowName() const
{
    return d->name.isEmpty() ? Windows::nameOf(metaObject()->className()) : d->name;
}

void Window::runLoad()
{
    if (d->loaded)
        return;
    d->loaded = true;
    if (d->name.isEmpty())
        d->name = Windows::nameOf(metaObject()->className());
    // Other windows and the tests find a window and its controls by these names.
    if (objectName().isEmpty())
        setObjectName(d->name);
    Registry& r = registry();
    QPointer<Window>& slot = r.loaded[windowName()];
    if (slot && slot != this)
        slot->unload();
    r.loaded[windowName()] = this;
    const DialogOwnerScope owner(this);
    guard([this] { formLoad(); });
}

void Window::load()
{
    runLoad();
}

bool Window::isLoaded() const
{
    return d->loaded && !d->unloading;
}

void Window::showWindow()
{
    QPointer<Window> self(this);
    runLoad();
    if (!self || d->unloading)   // unloaded itself while loading
        return;
    show();
    raise();
    activateWindow();
}

void Window::unload()
{
    if (d->unloading)
        return;
    d->unloading = true;
    bool cancel = false;
    Registry& r = registry();
    {
        struct Running {
            int& count;
            explicit Running(int& c) : count(c) { ++count; }
            ~Running() { --count; }
        } running(r.unloadsRunning);
        const DialogOwnerScope owner(this);
        guard([&] { formUnload(cancel); });
    }
    const bool checkAgain = r.checkAfterUnload && r.unloadsRunning == 0;
    if (checkAgain)
        r.checkAfterUnload = false;
    if (cancel) {
        d->unloading = false;
        if (checkAgain)
            scheduleEndCheck(false);
        return;
    }
    auto it = r.loaded.find(windowName());
    if (it != r.loaded.end() && it.value() == this)
        r.loaded.erase(it);
    hide();
    deleteLater();
    scheduleEndCheck(false);
}

bool Window::isUnloading() const
{
    return d->unloading;
}

void Window::setTopMost(bool on)
{
    const bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasVisible)
        show();
}

void Window::standAboveWindowsKeptOnTop(bool on)
{
    // The native window alone: a change of the widget's flags would hide it.
    if (QWindow* native = windowHandle())
        native->setFlag(Qt::WindowStaysOnTopHint, on || windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void Window::setCloseCommandRemoved(bool removed)
{
    d->closeRemoved = removed;
    const bool wasVisible = isVisible();
    Qt::WindowFlags flags = windowFlags();
    if (removed) {
        flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
        flags &= ~Qt::WindowCloseButtonHint;
    } else {
        flags |= Qt::WindowCloseButtonHint;
    }
    setWindowFlags(flags);
    if (wasVisible)
        show();
}

bool Window::closeCommandRemoved() const
{
    return d->closeRemoved;
}

QWidget* Window::keyReceiver() const
{
    return d->keyReceiver;
}

void Window::setKeyPreview(bool on)
{
    d->keyPreview = on;
}

int Window::twipsWidth() const
{
    return twips(width());
}

int Window::twipsHeight() const
{
    return twips(height());
}

void Window::setTwipsSize(int width, int height)
{
    resize(px(width), px(height));
}

void Window::guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const Error& e) {
        ui().msgBox(e.description());
    } catch (const std::exception& e) {
        ui().msgBox(QString::fromLocal8Bit(e.what()));
    }
}

void Window::onClick(QAbstractButton* button, std::function<void()> handler)
{
    QObject::connect(button, &QAbstractButton::clicked, button, [button, handler = std::move(handler)] {
        const DialogOwnerScope owner(button->window());
        guard(handler);
    });
}

bool Window::pickAllowed(QWidget* view)
{
    for (QWidget* w = view; w; w = w->parentWidget()) {
        if (auto* window = qobject_cast<Window*>(w)) {
            // Whatever the window says about the pick stands over it.
            const DialogOwnerScope owner(window);
            bool allowed = false;
            guard([&] { allowed = window->mayPick(view); });
            return allowed;
        }
    }
    return true;
}

namespace {
bool hasFocusableControl(const QWidget* window)
{
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (w->isWindow())
            continue;
        if (w->focusPolicy() != Qt::NoFocus && w->isEnabled() && w->isVisibleTo(window))
            return true;
    }
    return false;
}

// The keys that move the cursor between and along the lines of a box of
// several lines belong to that box: a window that moved to another record on
// them would take away the text the user is reading or writing.
bool movesAlongLines(const QWidget* target, const QKeyEvent* key)
{
    if (!qobject_cast<const QPlainTextEdit*>(target) && !qobject_cast<const QTextEdit*>(target))
        return false;
    // With Ctrl the keys move between records, as everywhere else.
    if (key->modifiers() & Qt::ControlModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
        return true;
    default:
        return false;
    }
}

bool isAncestorOrSelf(const QObject* maybeAncestor, const QObject* object)
{
    for (const QObject* o = object; o; o = o->parent())
        if (o == maybeAncestor)
            return true;
    return false;
}
} // namespace

bool Window::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate && d->loaded && !d->unloading) {
        const bool result = QWidget::event(e);
        const DialogOwnerScope owner(this);
        guard([this] { formActivate(); });
        if (!d->unloading && !hasFocusableControl(this))
            guard([this] { formGotFocus(); });
        return result;
    }
    return QWidget::event(e);
}

bool Window::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress || !watched->isWidgetType() || d->replaying)
        return QWidget::eventFilter(watched, e);
    QWidget* target = static_cast<QWidget*>(watched);
    if (target->window() != this)
        return QWidget::eventFilter(watched, e);

    // The same event again, on its way up to the parents: already seen.
    if (e == d->lastKey && d->lastKeyReceiver && watched != d->lastKeyReceiver
        && isAncestorOrSelf(watched, d->lastKeyReceiver)) {
        d->lastKeyReceiver = watched;
        return false;
    }
    d->lastKey = e;
    d->lastKeyReceiver = watched;

    // Without key preview the window sees only the keys sent to itself.
    if (!d->keyPreview && target != this)
        return false;
    if (!d->loaded || d->unloading)
        return false;

    auto* key = static_cast<QKeyEvent*>(e);
    // Tab only moves the focus on to the next control; the window sees it
    // only when it has no control to move to.
    if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && hasFocusableControl(this))
        return false;
    QPointer<Window> self(this);
    const DialogOwnerScope owner(this);
    d->keyReceiver = target;
    const auto previewed = qScopeGuard([this, self] {
        if (self)
            d->keyReceiver = nullptr;
    });
    int keyCode = keyCodeOf(key);
    if (keyCode != 0 && !movesAlongLines(target, key)) {
        guard([&] { formKeyDown(keyCode, shiftOf(key->modifiers())); });
        if (!self || d->unloading || keyCode == 0)
            return true;
    }
    const int original = keyAsciiOf(key);
    if (original == 0)
        return false;
    int keyAscii = original;
    guard([&] { formKeyPress(keyAscii); });
    if (!self || d->unloading || keyAscii == 0)
        return true;
    if (keyAscii != original) {
        // The handler changed the character: the control gets the new one.
        QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(keyAscii)),
                           key->isAutoRepeat(), key->count());
        d->replaying = true;
        QCoreApplication::sendEvent(watched, &replaced);
        if (self)
            d->replaying = false;
        return true;
    }
    return false;
}

void Window::closeEvent(QCloseEvent* e)
{
    // The window is destroyed by unload, not by Qt.
    e->ignore();
    if (d->closeRemoved || d->unloading)
        return;
    unload();
    if (d->unloading)
        scheduleEndCheck(true);
}

void Window::hideEvent(QHideEvent* e)
{
    QWidget::hideEvent(e);
    // A dialog that hides itself at its own Cancel stays loaded; when it was
    // the last window on screen, nothing is left that could end the program.
    if (!e->spontaneous() && d->loaded && !d->unloading)
        scheduleEndCheck(true);
}

void Window::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    if (d->loaded && !d->unloading) {
        const DialogOwnerScope owner(this);
        guard([this] { formResize(); });
    }
}

// --- Windows --------------------------------------------------------------

bool Windows::registerFactory(const QString& name, Factory factory)
{
    registry().factories.insert(name, std::move(factory));
    return true;
}

bool Windows::registerFactory(const QString& name, const char* className, Factory factory)
{
    registry().nameOfClass.insert(QString::fromLatin1(className), name);
    return registerFactory(name, std::move(factory));
}

QString Windows::nameOf(const char* className)
{
    const QString cls = QString::fromLatin1(className);
    return registry().nameOfClass.value(cls, cls);
}

QStringList Windows::kinds()
{
    QStringList names = registry().factories.keys();
    names.sort();
    return names;
}

Window* Windows::loaded(const QString& name)
{
    Registry& r = registry();
    auto it = r.loaded.find(name);
    if (it == r.loaded.end())
        return nullptr;
    if (it.value().isNull()) {
        r.loaded.erase(it);
        return nullptr;
    }
    return it.value();
}

Window* Windows::get(const QString& name)
{
    if (Window* w = loaded(name))
        return w;
    Registry& r = registry();
    auto factory = r.factories.constFind(name);
    if (factory == r.factories.constEnd())
        return nullptr;
    Window* w = (*factory)();
    if (!w)
        return nullptr;
    w->d->name = name;
    w->runLoad();
    return loaded(name);
}

Window* Windows::show(const QString& name)
{
    Window* w = get(name);
    if (!w)
        return nullptr;
    QPointer<Window> guardPtr(w);
    w->showWindow();
    return guardPtr && !guardPtr->isUnloading() ? guardPtr.data() : nullptr;
}

void Windows::unload(const QString& name)
{
    if (Window* w = loaded(name))
        w->unload();
}

QList<Window*> Windows::all()
{
    QList<Window*> out;
    for (const QPointer<Window>& w : std::as_const(registry().loaded))
        if (w && !w->isUnloading())
            out << w.data();
    return out;
}

void Windows::setOnLastClosed(std::function<void()> handler)
{
    registry().onLastClosed = std::move(handler);
}

} // namespace qv
