#pragma once
// Every message box, input box, file and printer dialog, beep, pause and
// program launch goes through here: the Qt implementation serves people, the
// scripted one serves tests (queued answers and a log of all that was shown).
#include <QPointer>
#include <QString>
#include <QList>
#include <QWidget>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

class QPrinter;

namespace qv {

// Message-box styles (sums of these, as the old platform numbered them).
namespace MsgStyle {
constexpr int OkOnly = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5;
constexpr int Critical = 16, Question = 32, Exclamation = 48, Information = 64;
constexpr int DefaultButton2 = 256, DefaultButton3 = 512;
}
// Answers.
namespace MsgResult {
constexpr int Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7;
}
// The answers of a style's buttons, left to right, and the one that is the
// default: the first, or the one DefaultButton2/3 names; a default beyond the
// box's buttons is its last (Cancel of OK/Cancel with DefaultButton3).
QList<int> msgBoxButtons(int style);
int msgBoxDefaultButton(int style);
// What a box answers when its first button is taken.
int msgBoxFirstButton(int style);

class UiServices {
public:
    virtual ~UiServices() = default;
    // Texts go out exactly as written; an "&" is shown, not a shortcut.
    // An empty title shows the program's title ("Quorvel").
    virtual int msgBox(const QString& text, int style = 0, const QString& title = QString()) = 0;
    // Cancel answers the empty text.
    virtual QString inputBox(const QString& prompt, const QString& title = QString(),
                             const QString& defaultText = QString()) = 0;
    // The chosen file's full path, or empty when cancelled.
    virtual QString openFileDialog(const QString& title, const QString& filter, const QString& folder) = 0;
    // The printer dialog (title "Print"). False when cancelled. The people's
    // version lets the user choose the printer (or a PDF file) into `printer`.
    virtual bool printerDialog(QPrinter* printer) = 0;
    virtual void beep() = 0;
    // Waits, processing window events meanwhile, on a clock that does not jump.
    virtual void pause(int milliseconds) = 0;
    // Starts a program or opens a document; false when that could not be done.
    virtual bool launch(const QString& program, const QStringList& arguments = {}) = 0;

    static QString programTitle() { return QStringLiteral("Quorvel"); }
};

// Where a box raised now comes up: above the window whose handler raised it
// (the window a scope names, else the latest window still on screen that the
// user pressed a key or a mouse button in), and kept on top too while any of the program's windows
// is kept on top, so that none of them can hide it. No owner when no window
// of the program is on screen.
struct DialogPlacement {
    QPointer<QWidget> owner;
    bool onTop = false;
};
DialogPlacement dialogPlacement();

// While alive, the handler of `window` is running: boxes raised come up
// above it (the innermost scope whose window is on screen wins).
class DialogOwnerScope {
public:
    explicit DialogOwnerScope(QWidget* window);
    ~DialogOwnerScope();
    DialogOwnerScope(const DialogOwnerScope&) = delete;
    DialogOwnerScope& operator=(const DialogOwnerScope&) = delete;
};

// Starts following the user's keys and clicks, to know which window acted
// (done once; every window does it when it is created).
void followUserInput();
// A box of `owner` has been answered: the user's next box in the same
// handler belongs to `owner` again, not to the box just closed.
void boxAnswered(QWidget* owner);

// The services in force; the Qt ones unless a test has set others.
UiServices& ui();
void setUi(UiServices* services);   // nullptr returns to the Qt services

// What a scripted run showed, in order.
struct UiEvent {
    enum Kind { Message, Input, OpenFile, PrinterDialog, Beep, Pause, Launch } kind;
    QString text;       // message, prompt, dialog title, program
    int style = 0;
    QString title;
    QStringList arguments;
    int milliseconds = 0;
    // Where a real box would have come up (message and input boxes, the
    // printer dialog).
    QPointer<QWidget> owner;
    bool onTop = false;
};

// For tests: answers come from queues (a message box with nothing queued
// answers its first button: OK, Yes, Retry), everything shown is logged.
class ScriptedUi : public UiServices {
public:
    int msgBox(const QString& text, int style, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override;
    QString openFileDialog(const QString& title, const QString& filter, const QString& folder) override;
    bool printerDialog(QPrinter* printer) override;
    void beep() override;
    void pause(int milliseconds) override;
    bool launch(const QString& program, const QStringList& arguments) override;

    std::deque<int> msgAnswers;
    std::deque<QString> inputAnswers;
    std::deque<QString> fileAnswers;
    std::deque<bool> printerAnswers;   // nothing queued: accepted
    bool launchSucceeds = true;
    // Runs after each message or input box is answered; a test uses it to
    // leave the program as a real desktop does when a box closes (with no
    // window active until the window manager picks one).
    std::function<void()> afterAnswer;

    std::vector<UiEvent> events;
    QStringList messages() const;      // texts of the message boxes, in order
    int beeps() const;
    void clear() { events.clear(); }
};

// Installs a ScriptedUi for the lifetime of the object.
class ScopedScriptedUi {
public:
    ScopedScriptedUi() { setUi(&script); }
    ~ScopedScriptedUi() { setUi(nullptr); }
    ScriptedUi script;
};

} // namespace qv
