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

// --- scripted -------------------------------------------------------------

int ScriptedUi::msgBox(const QString& text, int style, const QString& title)
{
    events.push_back({UiEvent::Message, text, style, title, {}, 0});
    if (!msgAnswers.empty()) {
        int answer = msgAnswers.front();
        msgAnswers.pop_front();
        return answer;
    }
    return msgBoxFirstButton(style);
}

QString ScriptedUi::inputBox(const QString& prompt, const QString& title, const QString& defaultText)
{
    UiEvent e{UiEvent::Input, prompt, 0, title, {}, 0};
    if (!defaultText.isEmpty())
        e.arguments << defaultText;
    events.push_back(e);
    if (inputAnswers.empty())
        return QString();
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QString ScriptedUi::openFileDialog(const QString& title, const QString& filter, const QString& folder)
{
    events.push_back({UiEvent::OpenFile, title, 0, title, {filter, folder}, 0});
    if (fileAnswers.empty())
        return QString();
    QString answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
}

bool ScriptedUi::printerDialog(QPrinter*)
{
    events.push_back({UiEvent::PrinterDialog, QStringLiteral("Print"), 0, QStringLiteral("Print"), {}, 0});
    if (printerAnswers.empty())
        return true;
    bool answer = printerAnswers.front();
    printerAnswers.pop_front();
    return answer;
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

int msgBoxFirstButton(int style)
{
    switch (style & 7) {
    case MsgStyle::AbortRetryIgnore: return MsgResult::Abort;
    case MsgStyle::YesNoCancel:
    case MsgStyle::YesNo: return MsgResult::Yes;
    case MsgStyle::RetryCancel: return MsgResult::Retry;
    default: return MsgResult::Ok;
    }
}

} // namespace qv
