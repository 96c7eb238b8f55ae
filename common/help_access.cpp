#include "common/help_access.h"

#include "common/connections.h"
#include "platform/forms/window.h"
#include "platform/services/services.h"

#include <QTextCursor>
#include <QTextEdit>

namespace {

const QString kHelpWindow = QStringLiteral("Frmhelp");

QString& helpFileSetting()
{
    static QString setting;
    return setting;
}

} // namespace

QString helpFile()
{
    return helpFileSetting();
}

void setHelpFile(const QString& path)
{
    helpFileSetting() = path;
}

void showHelp(QWidget* owner, int command, const QString& keyword)
{
    if (helpFile().trimmed().isEmpty()) {
        qv::ui().msgBox(QStringLiteral("No Help File Available"), qv::MsgStyle::OkOnly);
        return;
    }
    switch (command) {
    case HelpCommand::Quit:
    case HelpCommand::Contents:
    case HelpCommand::HelpOnHelp:
        openHelpViewer(owner, helpFile(), command, QString());
        break;
    case HelpCommand::PartialKey:
        openHelpViewer(owner, helpFile(), command, keyword);
        break;
    default:
        qv::ui().msgBox(QStringLiteral("Invalid Help Command Value"), qv::MsgStyle::OkOnly);
        break;
    }
}

void openHelpContents(QWidget* owner)
{
    setHelpFile(programFolder() + QStringLiteral("\\HelpFile.hlp"));
    showHelp(owner, HelpCommand::Contents, QString());
}

void openHelpViewer(QWidget* owner, const QString& file, int command, const QString& data)
{
    // The viewer is a window of its own like any other: shown modeless,
    // without an owner, and it outlives the window that asked for it.
    (void)owner;
    (void)file;
    if (command == HelpCommand::Quit) {
        qv::Windows::unload(kHelpWindow);
        return;
    }
    qv::Window* viewer = qv::Windows::show(kHelpWindow);
    if (!viewer)
        return;
    auto* text = viewer->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
    if (!text)
        return;
    // Contents and help on help start at the top; a search starts there too
    // and stops at the first place the word appears (case ignored).
    text->moveCursor(QTextCursor::Start);
    if (command == HelpCommand::PartialKey && !data.trimmed().isEmpty())
        text->find(data.trimmed());
    text->ensureCursorVisible();
}
