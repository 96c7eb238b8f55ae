#include "platform/services/services.h"
#include "platform/services/qt_ui.h"

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
} // namespace

int ScriptedUi::msgBox(const QString& text, int style, const QString& title)
{
    events.push_back({UiEvent::Message, text, style, title, {}, 0});
    return takeFront(msgAnswers, msgBoxFirstButton(style));
}

QString ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    UiEvent e{UiEvent::Input, prompt, 0, title, {}, 0};
    if (!defaultText.isEmpty())
        e.arguments << defaultText;
    events.push_back(e);
    return takeFront(inputAnswers, QString());
}

QString ScriptedUi::openFileDialog(const QString& title, const QString& filter, const QString& folder)
{
    events.push_back({UiEvent::OpenFile, title, 0, title, {filter, folder}, 0});
    return takeFront(fileAnswers, QString());
}

bool ScriptedUi::printerDialog(QPrinter*)
{
    events.push_back({UiEvent::PrinterDialog, QStringLiteral("Print"), 0, QStringLiteral("Print"), {}, 0});
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
