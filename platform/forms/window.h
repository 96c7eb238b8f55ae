#pragma once
// Windows as the old platform had them: each kind exists once, is loaded on
// first use, shown modeless, and destroyed when it unloads itself. Places and
// sizes are in twips (15 to a pixel at 96 dpi).
#include <QStringList>
#include <QHash>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QKeyEvent;

namespace qv {

constexpr int kTwipsPerPixel = 15;
inline int px(int twipsValue) { return twipsValue / kTwipsPerPixel; }
inline int twips(int pixels) { return pixels * kTwipsPerPixel; }
// Absolute placement, in twips.
void place(QWidget* widget, int left, int top, int width, int height);
// The name a member of a control array carries: the array's name, an
// underscore and its index ("txtfields_5" for txtfields(5)).
inline QString arrayMemberName(const char* array, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index);
}

// Old-style key codes and shift state, as the handlers compare them.
namespace Key {
constexpr int Back = 8, Tab = 9, Return = 13, Escape = 27, Space = 32, PageUp = 33, PageDown = 34,
              End = 35, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40, Delete = 46;
}
namespace ShiftState { constexpr int Shift = 1, Ctrl = 2, Alt = 4; }
// The old key code of a Qt key event (letters 65-90, digits 48-57, F1 112, ...);
// 0 for keys the old platform had no code for.
int keyCodeOf(const QKeyEvent* event);
// The old shift state of Qt modifiers: Shift 1, Ctrl 2, Alt 4, summed.
int shiftOf(Qt::KeyboardModifiers modifiers);
// The character code a key press hands to key-press handlers, or 0 when the
// key raises none: keys without a character, and the Delete key, which the X
// server reports with the character 127 although it types nothing.
int keyAsciiOf(const QKeyEvent* event);

class Window : public QWidget {
    Q_OBJECT
public:
    explicit Window(QWidget* parent = nullptr);
    ~Window() override;

    // The kind's name, as windows name each other ("Form3", "frmUsers").
    QString windowName() const;

    void showWindow();          // loads if needed and shows modeless, raised
    void load();                // loads (registers, runs formLoad) without showing
    bool isLoaded() const;      // formLoad has run and the window is not unloaded
    void unload();              // runs formUnload, then destroys the window
    bool isUnloading() const;

    // Always above other windows (the old SetWindowPos call).
    void setTopMost(bool on);
    // While `on`, the shown window stands above the windows kept on top as
    // well; off, it goes back to its own layer. Unlike setTopMost the window
    // is neither hidden nor shown again, so nothing typed or focused moves.
    void standAboveWindowsKeptOnTop(bool on);
    // The title bar cannot close the window and Alt+F4 does nothing; its own buttons still do.
    void setCloseCommandRemoved(bool removed);
    bool closeCommandRemoved() const;
    // The window sees keys before its controls.
    void setKeyPreview(bool on);

    // Width and height in twips.
    int twipsWidth() const;
    int twipsHeight() const;
    void setTwipsSize(int width, int height);

    // Runs the handler under the outer guard: an error that the handler
    // leaves unhandled shows its text in a plain message box and the window
    // stays as it was.
    static void guard(const std::function<void()>& handler);
    // Connects a button's click to a guarded handler.
    static void onClick(QAbstractButton* button, std::function<void()> handler);

    // Whether the user's pick in one of a window's grids or lists may move
    // its current row; asked of the window the grid or list lies in, before
    // the row moves. True for a control in no window.
    static bool pickAllowed(QWidget* view);

protected:
    // Asked by pickAllowed; a window refusing the pick says why itself.
    virtual bool mayPick(QWidget* view) { (void)view; return true; }

    // Called once the window is constructed and registered (Form_Load).
    virtual void formLoad() {}
    // Form_Unload; set cancel to stay loaded.
    virtual void formUnload(bool& cancel) { (void)cancel; }
    virtual void formActivate() {}
    virtual void formResize() {}
    // Only for a window with no control that can take the focus.
    virtual void formGotFocus() {}
    // Key preview: keyCode as in qv::Key, shift as in qv::ShiftState; set
    // keyCode to 0 to swallow the key.
    virtual void formKeyDown(int& keyCode, int shift) { (void)keyCode; (void)shift; }
    virtual void formKeyPress(int& keyAscii) { (void)keyAscii; }
    // While the two above run: the control the key is on its way to (the
    // window itself for a key sent to it); null otherwise.
    QWidget* keyReceiver() const;

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class Windows;
    void runLoad();
    struct Impl;
    Impl* d;
};

// The loaded windows, by kind.
class Windows {
public:
    using Factory = std::function<Window*()>;
    static bool registerFactory(const QString& name, Factory factory);
    // A window class known by another name than its own (the name other
    // windows open it by, and its objectName).
    static bool registerFactory(const QString& name, const char* className, Factory factory);
    static QString nameOf(const char* className);

    // The loaded window of that kind, or nullptr; never loads it.
    static Window* loaded(const QString& name);
    // Loads it (hidden) when needed.
    static Window* get(const QString& name);
    // Loads and shows it modeless. nullptr when no such kind is known.
    static Window* show(const QString& name);
    static void unload(const QString& name);
    static QList<Window*> all();
    // Every kind the program knows, loaded or not.
    static QStringList kinds();

    // The same, by class, for a caller whose code may know the class. Each
    // gives nullptr as its named form does (a window may unload itself while
    // it loads), and also when the kind's name is held by a window of another
    // class. A caller below the window's own code opens it by name.
    template <class T> static T* loaded() { return qobject_cast<T*>(loaded(nameOf(T::staticMetaObject.className()))); }
    template <class T> static T* get() { return qobject_cast<T*>(get(nameOf(T::staticMetaObject.className()))); }
    template <class T> static T* show() { return qobject_cast<T*>(show(nameOf(T::staticMetaObject.className()))); }
    template <class T> static void unload() { unload(nameOf(T::staticMetaObject.className())); }

    // The program ends when no window is loaded, and when the user closes the
    // last visible one or a window hides itself leaving none visible; this is
    // called then (the application quits by default).
    static void setOnLastClosed(std::function<void()> handler);
};

} // namespace qv

// In a window's .cpp: makes the kind known by its class name, or by the
// name given (the name other windows open it by).
#define QV_REGISTER_WINDOW(Class) \
    static const bool qv_registered_##Class = ::qv::Windows::registerFactory(#Class, [] { return new Class; })
#define QV_REGISTER_WINDOW_AS(Class, Name) \
    static const bool qv_registered_##Class = \
        ::qv::Windows::registerFactory(QStringLiteral(Name), Class::staticMetaObject.className(), [] { return new Class; })
